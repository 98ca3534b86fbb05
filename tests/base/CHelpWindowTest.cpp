// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CHelpWindow.h"

#include "TempDir.h"

#include <QFile>
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
