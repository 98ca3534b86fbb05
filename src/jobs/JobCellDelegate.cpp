// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobCellDelegate.h"

#include "convert/LogText.h"
#include "jobs/CMyListView.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QString Escaped(const QString& text)
{
    return QString::fromStdString(LogText::Escaped(text.toStdString()));
}

}  // namespace

QString JobCellDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.userType() != QMetaType::QString)
        return QStyledItemDelegate::displayText(value, locale);
    return Escaped(value.toString());
}

QStyleOptionViewItem JobCellDelegate::Option(const QModelIndex& index, const QAbstractItemView& view) const
{
    QStyleOptionViewItem option;
    option.initFrom(view.viewport());
    option.rect = view.visualRect(index);
    initStyleOption(&option, index);
    return option;
}

void JobCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (CMyListView::IsPathColumn(index.column())) {
        option->textElideMode = Qt::ElideMiddle;
        option->text = Escaped(index.data(Qt::DisplayRole).toString());
    }
}

bool JobCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !CMyListView::IsPathColumn(index.column()))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString path = index.data(Qt::DisplayRole).toString();
    if (path.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), Escaped(path), view->viewport(), view->visualRect(index));
    return true;
}
