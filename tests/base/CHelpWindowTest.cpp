// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CHelpWindow.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void WritePage(const QString& name, const QByteArray& html)
    {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
    }

    TempDir dir;
    QString folder = QString::fromStdString(dir.Path());
    CHelpWindow window{nullptr, folder};
};

TEST_F(HelpWindowTest, ShowsTheRequestedPageAndFollowsItsLinks)
{
    WritePage("intro.htm", "<html><body><p>Welcome to the tests.</p><a href=\"more.htm\">more</a></body></html>");
    WritePage("more.htm", "<html><body><p>The second page.</p></body></html>");
    window.ShowTopic("intro.htm");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Topic(), QUrl::fromLocalFile(folder + "/intro.htm"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains("Welcome to the tests."));

    window.Browser()->setSource(QUrl("more.htm"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains("The second page."));
}

TEST_F(HelpWindowTest, AMissingPageShowsANoteInsteadOfAnError)
{
    WritePage("intro.htm", "<html><body><p>Old page.</p></body></html>");
    window.ShowTopic("intro.htm");
    window.ShowTopic("addjobdlg.htm");
    EXPECT_TRUE(window.isVisible());
    const QString text = window.Browser()->toPlainText();
    EXPECT_FALSE(text.contains("Old page."));
    EXPECT_TRUE(text.contains("addjobdlg.htm"));
    EXPECT_TRUE(text.contains(folder));
}

}  // namespace

// The pages shipped with the program: every link leads to a page that is
// there, and the overview tells of what the program does today.
TEST(HelpPagesTest, LinksResolveAndTheOverviewIsUpToDate)
{
    const QDir folder(CHelpWindow::HelpFolder());
    const QStringList pages = folder.entryList({"*.htm"}, QDir::Files);
    ASSERT_TRUE(pages.contains("intro.htm") && pages.contains("addjobdlg.htm") && pages.contains("toolbar.htm"));
    const QRegularExpression link(R"(href="([^"#:]+\.htm))");
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(html); match.hasNext();)
            EXPECT_TRUE(pages.contains(match.next().captured(1))) << page.toStdString();
    }
    QFile intro(folder.filePath("intro.htm"));
    ASSERT_TRUE(intro.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(intro.readAll()).simplified();
    for (const char* topic :
         {"Add Folder", "Ctrl+Shift+O", "Simultaneous conversions", "Skip sources at or below the target bitrate",
          "Keep unfinished jobs for the next start", "converted, 2 failed, 3 skipped", "toolbar.htm"})
        EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
    EXPECT_FALSE(text.contains("one job at a time"));
}
