// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CFolderChooser.h"

#include "base/AppMessage.h"
#include "base/DialogUnits.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kForbiddenInName = QStringLiteral("\"*/:<>?\\|");

bool IsEdgeCharacter(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char(' ') || c == QLatin1Char('.');
}

bool IsFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

// The folder itself when it exists, else its nearest existing ancestor. A
// relative path counts from the current directory.
QString NearestExistingFolder(const QString& folder)
{
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!IsFolder(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

bool AskWithIcon(QWidget* parent, const QString& text)
{
    return AppMessage::AskYesNo(parent, text, QMessageBox::Question);
}

void WarnWithIcon(QWidget* parent, const QString& text)
{
    AppMessage::Show(parent, text, QMessageBox::Warning);
}

}  // namespace

CFolderChooser::Prompts CFolderChooser::DefaultPrompts()
{
    return {AskWithIcon, WarnWithIcon};
}

CFolderChooser::CFolderChooser(const QString& caption, const QString& instruction, const QString& startFolder,
                               QWidget* parent)
    : QDialog(parent), m_startFolder(startFolder), m_prompts(DefaultPrompts())
{
    setWindowTitle(caption.isNull() ? kDefaultCaption() : caption);
    BuildControls(instruction);
    SelectStartFolder();
}

CFolderChooser::~CFolderChooser() = default;

void CFolderChooser::BuildControls(const QString& instruction)
{
    const DialogUnits units(font());

    m_instruction = new QLabel(instruction, this);
    m_instruction->setWordWrap(true);
    m_instruction->setVisible(!instruction.isEmpty());

    m_pathEdit = new QLineEdit(this);
    connect(m_pathEdit, &QLineEdit::textChanged, this, &CFolderChooser::OnPathEdited);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));

    m_tree = new QTreeView(this);
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelectionChanged(current); });
    // Folders load and sort in the background: until the user takes over
    // the tree, every change brings the selected start folder back into view.
    const auto keepRevealed = [this] {
        if (m_revealPending && m_tree->currentIndex().isValid())
            m_tree->scrollTo(m_tree->currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(m_model, &QFileSystemModel::directoryLoaded, this, keepRevealed);
    connect(m_model, &QFileSystemModel::layoutChanged, this, keepRevealed);
    connect(m_model, &QFileSystemModel::rowsInserted, this, keepRevealed);
    m_tree->viewport()->installEventFilter(this);
    m_tree->installEventFilter(this);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CFolderChooser::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CFolderChooser::reject);
    OkButton()->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instruction);
    layout->addWidget(m_pathEdit);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_buttons);

    resize(units.Size(212, 240));
    setMinimumSize(units.Size(150, 160));
    m_pathEdit->setFocus();
}

QPushButton* CFolderChooser::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* CFolderChooser::CancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void CFolderChooser::SetPrompts(Prompts prompts)
{
    m_prompts = std::move(prompts);
}

int CFolderChooser::Browse()
{
    m_accepted = false;
    SelectStartFolder();
    exec();
    return m_accepted ? kBrowseAccepted : kBrowseCancelled;
}

void CFolderChooser::SelectStartFolder()
{
    const QString start = m_startFolder.isEmpty() ? QDir::currentPath() : m_startFolder;
    const QModelIndex index = m_model->index(NearestExistingFolder(start));
    if (!index.isValid())
        return;
    m_tree->setCurrentIndex(index);
    RevealInTree(index);
    // The box follows the tree even when the folder was selected already.
    OnTreeSelectionChanged(index);
    m_revealPending = true;
}

bool CFolderChooser::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_revealPending = false;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void CFolderChooser::RevealInTree(const QModelIndex& index)
{
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void CFolderChooser::OnTreeSelectionChanged(const QModelIndex& current)
{
    const QString path = current.isValid() ? m_model->filePath(current) : QString();
    if (!path.startsWith(QLatin1Char('/'))) {
        m_pathEdit->clear();
        OkButton()->setEnabled(false);
        return;
    }
    m_pathEdit->setText(path);
}

void CFolderChooser::OnPathEdited(const QString& text)
{
    m_chosenPath = text;
    OkButton()->setEnabled(!text.isEmpty());
}

void CFolderChooser::accept()
{
    m_chosenPath = m_pathEdit->text();
    if (ValidateFolder(m_chosenPath) != kFolderValid) {
        m_pathEdit->setFocus();
        return;
    }
    m_accepted = true;
    QDialog::accept();
}

int CFolderChooser::ValidateFolder(const QString& path)
{
    int result = CheckOrCreatePath(path, true);
    if (result != kFolderValid) {
        Report(result, path);
        return result;
    }
    if (IsFolder(path))
        return kFolderValid;
    // Something that is not a folder holds the name: no folder can be made.
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        Report(kFolderNotCreated, path);
        return kFolderNotCreated;
    }
    if (!m_prompts.askYesNo(this, kCreateQuestion().arg(path)))
        return kFolderDeclined;
    result = CheckOrCreatePath(path, false);
    if (result != kFolderValid)
        Report(result, path);
    return result;
}

void CFolderChooser::Report(int result, const QString& path)
{
    const QString& message = result == kFolderInvalid ? kInvalidMessage() : kNotCreatedMessage();
    m_prompts.warn(this, message.arg(path));
}

int CFolderChooser::CheckOrCreatePath(const QString& path, bool checkOnly)
{
    if (path.isEmpty() || path.front() != QLatin1Char('/'))
        return kFolderInvalid;
    if (path.size() == 1)
        return checkOnly || IsFolder(path) ? kFolderValid : kFolderNotCreated;

    qsizetype start = 1;
    for (;;) {
        qsizetype end = path.indexOf(QLatin1Char('/'), start);
        if (end < 0)
            end = path.size();
        if (!IsValidFolderName(path.mid(start, end - start)))
            return kFolderInvalid;
        if (!checkOnly) {
            const QString folder = path.left(end);
            QDir().mkdir(folder);  // it may exist already; what counts is below
            if (!IsFolder(folder))
                return kFolderNotCreated;
        }
        if (end == path.size())
            return kFolderValid;
        start = end + 1;
        if (start == path.size())
            return kFolderInvalid;  // a trailing "/"
    }
}

bool CFolderChooser::IsValidFolderName(const QString& name)
{
    if (name.isEmpty() || IsEdgeCharacter(name.front()) || IsEdgeCharacter(name.back()))
        return false;
    for (QChar c : name) {
        if (kForbiddenInName.contains(c))
            return false;
    }
    return true;
}
