// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CToolBarCustomizeDlg.h"

#include "base/CHelpWindow.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kListWidth = 220;
constexpr int kListHeight = 340;

// A toolbar separator as the lists show it: an etched upright line.
QIcon SeparatorIcon(QSize size, const QPalette& palette)
{
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int x = size.width() / 2 - 1;
    const int margin = size.height() / 8;
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(x, margin, x, size.height() - 1 - margin);
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(x + 1, margin, x + 1, size.height() - 1 - margin);
    return QIcon(image);
}

// An empty image of `size`, so that rows without a picture keep the height
// of the others.
QIcon BlankIcon(QSize size)
{
    QPixmap image(size);
    image.fill(Qt::transparent);
    return QIcon(image);
}

QListWidget* MakeList(QWidget* parent, QSize iconSize)
{
    auto* list = new QListWidget(parent);
    list->setIconSize(iconSize);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(kListWidth, kListHeight);
    return list;
}

}  // namespace

CToolBarCustomizeDlg::CToolBarCustomizeDlg(QToolBar& toolBar, QList<QAction*> buttons, QWidget* parent)
    : QDialog(parent), m_toolBar(toolBar), m_buttons(std::move(buttons))
{
    m_buttons.removeAll(nullptr);
    setWindowTitle(kCaption());
    CreateControls();
    Refresh(0, 0);
}

CToolBarCustomizeDlg::~CToolBarCustomizeDlg() = default;

void CToolBarCustomizeDlg::CreateControls()
{
    m_available = MakeList(this, m_toolBar.iconSize());
    m_current = MakeList(this, m_toolBar.iconSize());
    auto* availableLabel = new QLabel(tr("Available toolbar buttons:"), this);
    auto* currentLabel = new QLabel(tr("Current toolbar buttons:"), this);
    availableLabel->setBuddy(m_available);
    currentLabel->setBuddy(m_current);

    m_add = MakeButton(tr("&Add ->"), &CToolBarCustomizeDlg::OnAdd);
    m_remove = MakeButton(tr("<- &Remove"), &CToolBarCustomizeDlg::OnRemove);
    m_close = MakeButton(tr("&Close"), &CToolBarCustomizeDlg::accept);
    m_help = MakeButton(tr("&Help"), &CToolBarCustomizeDlg::OnHelp);
    m_moveUp = MakeButton(tr("Move &Up"), &CToolBarCustomizeDlg::OnMoveUp);
    m_moveDown = MakeButton(tr("Move &Down"), &CToolBarCustomizeDlg::OnMoveDown);
    m_close->setDefault(true);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(m_close);
    right->addWidget(m_help);
    right->addStretch();
    right->addWidget(m_moveUp);
    right->addWidget(m_moveDown);
    right->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_current, 1, 2);
    grid->addLayout(right, 0, 3, 2, 1);

    connect(m_available, &QListWidget::currentRowChanged, this, &CToolBarCustomizeDlg::UpdateButtons);
    connect(m_current, &QListWidget::currentRowChanged, this, &CToolBarCustomizeDlg::UpdateButtons);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &CToolBarCustomizeDlg::OnAdd);
    connect(m_current, &QListWidget::itemDoubleClicked, this, &CToolBarCustomizeDlg::OnRemove);
}

QPushButton* CToolBarCustomizeDlg::MakeButton(const QString& text, void (CToolBarCustomizeDlg::*handler)())
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

QAction* CToolBarCustomizeDlg::PlacedAt(int row) const
{
    return row >= 0 && row < m_placed.size() ? m_placed.at(row) : nullptr;
}

void CToolBarCustomizeDlg::OnAdd()
{
    const int from = m_available->currentRow();
    if (from < 0 || from >= m_unplaced.size())
        return;
    // Without a chosen place the entry goes to the toolbar's end.
    int to = m_current->currentRow();
    if (to < 0 || to > m_placed.size())
        to = int(m_placed.size());
    QAction* before = PlacedAt(to);
    if (QAction* button = m_unplaced.at(from))
        m_toolBar.insertAction(before, button);
    else
        m_toolBar.insertSeparator(before);
    Refresh(from, to);
}

void CToolBarCustomizeDlg::OnRemove()
{
    const int row = m_current->currentRow();
    QAction* entry = PlacedAt(row);
    if (!entry)
        return;
    m_toolBar.removeAction(entry);
    const bool separator = entry->isSeparator();
    // Separators belong to the toolbar, which makes a new one for each place.
    if (separator && entry->parent() == &m_toolBar)
        delete entry;
    Refresh(0, row);
    if (!separator)
        m_available->setCurrentRow(int(m_unplaced.indexOf(entry)));
}

void CToolBarCustomizeDlg::OnMoveUp()
{
    MoveSelected(-1);
}

void CToolBarCustomizeDlg::OnMoveDown()
{
    MoveSelected(1);
}

void CToolBarCustomizeDlg::MoveSelected(int step)
{
    const int row = m_current->currentRow();
    const int target = row + step;
    QAction* entry = PlacedAt(row);
    if (!entry || target < 0 || target >= m_placed.size())
        return;
    // The entry that will follow it; nullptr at the toolbar's end.
    QAction* before = PlacedAt(step < 0 ? target : target + 1);
    m_toolBar.removeAction(entry);
    m_toolBar.insertAction(before, entry);
    Refresh(m_available->currentRow(), target);
}

void CToolBarCustomizeDlg::OnHelp()
{
    // A child of this modal dialog, so that it can be used while the dialog is open.
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this);
    m_helpWindow->ShowTopic(kHelpTopic);
}

void CToolBarCustomizeDlg::Refresh(int availableRow, int currentRow)
{
    m_placed.clear();
    for (QAction* action : m_toolBar.actions()) {
        if (action->isSeparator() || m_buttons.contains(action))
            m_placed.append(action);
    }
    m_unplaced = {nullptr};
    for (QAction* button : m_buttons) {
        if (!m_placed.contains(button))
            m_unplaced.append(button);
    }

    const QSize iconSize = m_toolBar.iconSize();
    const QIcon separatorIcon = SeparatorIcon(iconSize, palette());
    const auto fill = [&](QListWidget* list, const QList<QAction*>& entries) {
        list->clear();
        for (const QAction* entry : entries) {
            if (!entry || entry->isSeparator()) {
                list->addItem(new QListWidgetItem(separatorIcon, kSeparatorText()));
                continue;
            }
            list->addItem(new QListWidgetItem(entry->icon(), entry->text()));
        }
    };
    fill(m_available, m_unplaced);
    fill(m_current, m_placed);
    // The toolbar's end: adding with this entry selected appends.
    m_current->addItem(new QListWidgetItem(BlankIcon(iconSize), QString()));

    m_available->setCurrentRow(std::clamp(availableRow, 0, m_available->count() - 1));
    m_current->setCurrentRow(std::clamp(currentRow, 0, m_current->count() - 1));
    UpdateButtons();
}

void CToolBarCustomizeDlg::UpdateButtons()
{
    const int row = m_current->currentRow();
    const bool placed = PlacedAt(row) != nullptr;
    m_add->setEnabled(m_available->currentRow() >= 0);
    m_remove->setEnabled(placed);
    m_moveUp->setEnabled(placed && row > 0);
    m_moveDown->setEnabled(placed && row + 1 < m_placed.size());
}
