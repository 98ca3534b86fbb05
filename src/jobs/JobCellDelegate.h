// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

// How the job table shows its cells. Control characters show escaped, as
// the log shows them: a file name may hold a line feed; the cell keeps the
// real name. A path too long for its column loses its middle, so the file
// name stays in view, and shows whole in a tooltip.
class JobCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    // The options a cell of `view` is painted with.
    QStyleOptionViewItem Option(const QModelIndex& index, const QAbstractItemView& view) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
