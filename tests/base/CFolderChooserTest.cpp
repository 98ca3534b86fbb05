// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CFolderChooser.h"

#include "FrameTestKit.h"
#include "TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records the chooser's message boxes and answers its questions.
struct PromptLog {
    std::vector<QString> questions;
    std::vector<QString> warnings;
    bool answer = true;

    CFolderChooser::Prompts Prompts()
    {
        return {[this](QWidget*, const QString& text) {
                    questions.push_back(text);
                    return answer;
                },
                [this](QWidget*, const QString& text) { warnings.push_back(text); }};
    }
};

class FolderChooserTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const
    {
        return QString::fromStdString(m_temp.Path()) + QLatin1Char('/') + relative;
    }
    QString Root() const { return QString::fromStdString(m_temp.Path()); }

    std::unique_ptr<CFolderChooser> MakeChooser(const QString& start)
    {
        auto chooser = std::make_unique<CFolderChooser>(QStringLiteral("Choose Result File Folder"),
                                                        QStringLiteral("Result file save to ..."), start);
        chooser->SetPrompts(m_prompts.Prompts());
        return chooser;
    }

    static bool IsFolder(const QString& path) { return QFileInfo(path).isDir(); }

    TempDir m_temp;
    PromptLog m_prompts;
};

TEST(FolderNameTest, EdgesAndForbiddenCharacters)
{
    for (const char* good : {"Music", "a.b", "New Folder", "x", "Überspielt", "a-b_c"})
        EXPECT_TRUE(CFolderChooser::IsValidFolderName(QString::fromUtf8(good))) << good;

    for (const char* bad : {"", ".", "..", ".hidden", "New.", "New ", " New", "\tNew", "New\t"})
        EXPECT_FALSE(CFolderChooser::IsValidFolderName(QString::fromUtf8(bad))) << '"' << bad << '"';

    for (QChar forbidden : QStringLiteral("\"*/:<>?\\|"))
        EXPECT_FALSE(CFolderChooser::IsValidFolderName(QStringLiteral("a") + forbidden + QStringLiteral("b")))
            << forbidden.toLatin1();
}

TEST(FolderPathCheckTest, AbsolutePathsWithValidComponentsOnly)
{
    constexpr int valid = CFolderChooser::kFolderValid;
    constexpr int invalid = CFolderChooser::kFolderInvalid;
    const struct {
        const char* path;
        int expected;
    } cases[] = {
        {"/", valid},
        {"/Music", valid},
        {"/no/such/folder/yet", valid},  // the check alone does not look at the disk
        {"/Music/", invalid},            // trailing "/"
        {"/Music/New.", invalid},
        {"/Music/New /x", invalid},
        {"/ Music", invalid},
        {"//Music", invalid},
        {"/a//b", invalid},
        {"//", invalid},
        {"music", invalid},
        {"c:/music", invalid},
        {"./music", invalid},
        {"/a:b", invalid},
        {"", invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFolderChooser::CheckOrCreatePath(QString::fromUtf8(c.path), true), c.expected)
            << '"' << c.path << '"';
}

TEST_F(FolderChooserTest, RootAndExistingFoldersPassWithoutAQuestion)
{
    auto chooser = MakeChooser(Root());
    EXPECT_EQ(chooser->ValidateFolder(QStringLiteral("/")), CFolderChooser::kFolderValid);
    EXPECT_EQ(chooser->ValidateFolder(Root()), CFolderChooser::kFolderValid);
    EXPECT_TRUE(m_prompts.questions.empty());
    EXPECT_TRUE(m_prompts.warnings.empty());
}

TEST_F(FolderChooserTest, InvalidPathsAreReportedWithTheirText)
{
    auto chooser = MakeChooser(Root());
    const QString trailing = Root() + QLatin1Char('/');
    const QString dotted = Path(QStringLiteral("New."));
    EXPECT_EQ(chooser->ValidateFolder(trailing), CFolderChooser::kFolderInvalid);
    EXPECT_EQ(chooser->ValidateFolder(dotted), CFolderChooser::kFolderInvalid);
    EXPECT_EQ(chooser->ValidateFolder(QStringLiteral("music")), CFolderChooser::kFolderInvalid);

    ASSERT_EQ(m_prompts.warnings.size(), 3u);
    EXPECT_EQ(m_prompts.warnings[0],
              QStringLiteral("The folder:\n\n") + trailing + QStringLiteral("\n\nis invalid. Please reenter."));
    EXPECT_EQ(m_prompts.warnings[1],
              QStringLiteral("The folder:\n\n") + dotted + QStringLiteral("\n\nis invalid. Please reenter."));
    EXPECT_TRUE(m_prompts.questions.empty());
    EXPECT_FALSE(QFileInfo::exists(dotted));
}

TEST_F(FolderChooserTest, MissingFoldersAreCreatedLevelByLevelAfterOneQuestion)
{
    ASSERT_TRUE(QDir().mkdir(Path(QStringLiteral("a"))));
    auto chooser = MakeChooser(Root());
    const QString target = Path(QStringLiteral("a/b/c"));

    EXPECT_EQ(chooser->ValidateFolder(target), CFolderChooser::kFolderValid);
    ASSERT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_EQ(m_prompts.questions[0],
              QStringLiteral("The folder:\n\n") + target
                  + QStringLiteral("\n\ndoes not exist. Do you want the folder to be created?"));
    EXPECT_TRUE(IsFolder(Path(QStringLiteral("a/b"))));
    EXPECT_TRUE(IsFolder(target));
    EXPECT_TRUE(m_prompts.warnings.empty());

    // Now that it exists, no second question.
    EXPECT_EQ(chooser->ValidateFolder(target), CFolderChooser::kFolderValid);
    EXPECT_EQ(m_prompts.questions.size(), 1u);
}

TEST_F(FolderChooserTest, DecliningTheQuestionCreatesNothing)
{
    m_prompts.answer = false;
    auto chooser = MakeChooser(Root());
    EXPECT_EQ(chooser->ValidateFolder(Path(QStringLiteral("x/y"))), CFolderChooser::kFolderDeclined);
    EXPECT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_TRUE(m_prompts.warnings.empty());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("x"))));
}

TEST_F(FolderChooserTest, AFileInTheWayMeansTheFolderCannotBeCreated)
{
    QFile file(Path(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    auto chooser = MakeChooser(Root());

    // Below the file: asked, then the creation fails.
    const QString below = Path(QStringLiteral("plain/sub"));
    EXPECT_EQ(chooser->ValidateFolder(below), CFolderChooser::kFolderNotCreated);
    EXPECT_EQ(m_prompts.questions.size(), 1u);
    ASSERT_EQ(m_prompts.warnings.size(), 1u);
    EXPECT_EQ(m_prompts.warnings[0],
              QStringLiteral("The folder:\n\n") + below
                  + QStringLiteral("\n\ncan not be created. Please double check."));

    // The file itself: no folder can take its name, so no question is asked.
    EXPECT_EQ(chooser->ValidateFolder(file.fileName()), CFolderChooser::kFolderNotCreated);
    EXPECT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_EQ(m_prompts.warnings.size(), 2u);
    EXPECT_TRUE(QFileInfo(file.fileName()).isFile());
}

TEST_F(FolderChooserTest, CreateModeStopsAtTheFirstInvalidComponent)
{
    EXPECT_EQ(CFolderChooser::CheckOrCreatePath(Path(QStringLiteral("made/bad./deeper")), false),
              CFolderChooser::kFolderInvalid);
    EXPECT_TRUE(IsFolder(Path(QStringLiteral("made"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("made/bad."))));
}

TEST_F(FolderChooserTest, BoxFollowsTheTreeAndOkNeedsText)
{
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("one/two"))));
    auto chooser = MakeChooser(Path(QStringLiteral("one")));
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Choose Result File Folder"));
    EXPECT_EQ(chooser->PathEdit()->text(), Path(QStringLiteral("one")));
    EXPECT_TRUE(chooser->OkButton()->isEnabled());

    chooser->PathEdit()->clear();
    EXPECT_FALSE(chooser->OkButton()->isEnabled());
    chooser->PathEdit()->setText(QStringLiteral("typed"));
    EXPECT_TRUE(chooser->OkButton()->isEnabled());
    EXPECT_EQ(chooser->GetPath(), QStringLiteral("typed"));

    const QModelIndex two = chooser->FolderModel()->index(Path(QStringLiteral("one/two")));
    ASSERT_TRUE(two.isValid());
    chooser->FolderTree()->setCurrentIndex(two);
    EXPECT_EQ(chooser->PathEdit()->text(), Path(QStringLiteral("one/two")));

    // Leaving the tree without a selection empties the box and disables OK.
    chooser->FolderTree()->setCurrentIndex(QModelIndex());
    EXPECT_TRUE(chooser->PathEdit()->text().isEmpty());
    EXPECT_FALSE(chooser->OkButton()->isEnabled());
}

TEST_F(FolderChooserTest, StartsAtTheNearestExistingFolder)
{
    auto missing = MakeChooser(Path(QStringLiteral("gone/deeper")));
    EXPECT_EQ(missing->PathEdit()->text(), Root());

    for (const QString& none : {QString(), QStringLiteral("")}) {
        auto current = MakeChooser(none);
        EXPECT_EQ(current->PathEdit()->text(), QDir::currentPath());
    }
}

TEST_F(FolderChooserTest, OkKeepsTheChooserOpenUntilThePathIsValid)
{
    auto chooser = MakeChooser(Root());
    chooser->show();
    chooser->PathEdit()->setText(Root() + QStringLiteral("/bad/"));
    chooser->OkButton()->click();
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(m_prompts.warnings.size(), 1u);

    m_prompts.answer = false;
    chooser->PathEdit()->setText(Path(QStringLiteral("new")));
    chooser->OkButton()->click();
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("new"))));

    m_prompts.answer = true;
    chooser->OkButton()->click();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_TRUE(IsFolder(Path(QStringLiteral("new"))));
}

TEST_F(FolderChooserTest, BrowseReturnsTheConfirmedFolder)
{
    auto chooser = MakeChooser(Root());
    const QString target = Path(QStringLiteral("picked"));
    QTimer::singleShot(0, chooser.get(), [&] {
        chooser->PathEdit()->setText(target);
        chooser->OkButton()->click();
    });
    EXPECT_EQ(chooser->Browse(), CFolderChooser::kBrowseAccepted);
    EXPECT_EQ(chooser->GetPath(), target);
    EXPECT_TRUE(IsFolder(target));

    // A second browse starts over: cancelling it reports -1.
    QTimer::singleShot(0, chooser.get(), [&] {
        EXPECT_EQ(chooser->PathEdit()->text(), Root());
        chooser->CancelButton()->click();
    });
    EXPECT_EQ(chooser->Browse(), CFolderChooser::kBrowseCancelled);
}

TEST_F(FolderChooserTest, DefaultPromptsAreRealMessageBoxes)
{
    CFolderChooser chooser(QString(), QStringLiteral("Please Choose Folder"), Root());
    EXPECT_EQ(chooser.windowTitle(), CFolderChooser::kDefaultCaption());
    const QString target = Path(QStringLiteral("p/q"));
    ModalBoxCatcher catcher(QMessageBox::Yes);
    EXPECT_EQ(chooser.ValidateFolder(target), CFolderChooser::kFolderValid);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_TRUE(catcher.Boxes()[0].text.contains(QStringLiteral("does not exist")));
    EXPECT_TRUE(IsFolder(target));
}

}  // namespace
