// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CAboutDlg.h"
#include "base/CHelpWindow.h"
#include "base/CHyperLink.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <vector>

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
{
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent event(type, QPointF(at), global, button,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Move(QWidget* widget, QPoint at)
{
    Send(widget, QEvent::MouseMove, at);
}

void Leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

// A link wider than its text, with its openings recorded.
class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.resize(400, 100);
        m_link = new CHyperLink(QStringLiteral("https://example.org"), &m_parent);
        m_link->SetLinkTarget(QStringLiteral("https://example.org/home"));
        m_link->SetOpener([this](const QUrl& url) { m_opened.push_back(url); });
        m_extent = m_link->TextExtent();
        m_link->setGeometry(10, 10, m_extent.width() + 60, m_extent.height() + 6);
    }

    QPoint OnText() const { return {m_extent.width() / 2, m_extent.height() / 2}; }
    QPoint RightOfText() const { return {m_extent.width() + 20, m_extent.height() / 2}; }
    Qt::CursorShape Cursor() const { return m_link->cursor().shape(); }

    QWidget m_parent;
    CHyperLink* m_link = nullptr;
    QSize m_extent;
    std::vector<QUrl> m_opened;
};

TEST_F(HyperLinkTest, OnlyTheTextIsHit)
{
    ASSERT_GT(m_extent.width(), 20);
    ASSERT_GT(m_extent.height(), 5);
    EXPECT_TRUE(m_link->HitTest({0, 0}));
    EXPECT_TRUE(m_link->HitTest(OnText()));
    EXPECT_TRUE(m_link->HitTest({m_extent.width() - 1, m_extent.height() - 1}));
    EXPECT_FALSE(m_link->HitTest({m_extent.width(), 0}));
    EXPECT_FALSE(m_link->HitTest({0, m_extent.height()}));
    EXPECT_FALSE(m_link->HitTest({-1, 0}));
    EXPECT_FALSE(m_link->HitTest(RightOfText()));
    EXPECT_TRUE(m_link->rect().contains(RightOfText()));
}

TEST_F(HyperLinkTest, TextIsMeasuredInTheParentsFontUnderlined)
{
    QFont big = m_parent.font();
    big.setPointSize(big.pointSize() * 3);
    m_parent.setFont(big);
    const QSize bigExtent = m_link->TextExtent();
    EXPECT_GT(bigExtent.width(), m_extent.width());
    EXPECT_TRUE(m_link->UnderlineFont().underline());
    EXPECT_EQ(m_link->UnderlineFont().pointSize(), big.pointSize());
}

TEST_F(HyperLinkTest, HandCursorFromTheSecondMovementOverTheText)
{
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(m_link, OnText());
    EXPECT_TRUE(m_link->IsTracking());
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(m_link, OnText());
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
    Move(m_link, RightOfText());
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(m_link, OnText());
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);

    Leave(m_link);
    EXPECT_FALSE(m_link->IsTracking());
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);

    // Coming back starts over.
    Move(m_link, OnText());
    EXPECT_EQ(Cursor(), Qt::ArrowCursor);
    Move(m_link, OnText());
    EXPECT_EQ(Cursor(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkTest, ALeftClickOnTheTextOpensTheTarget)
{
    Send(m_link, QEvent::MouseButtonPress, RightOfText(), Qt::LeftButton);
    Send(m_link, QEvent::MouseButtonPress, OnText(), Qt::RightButton);
    EXPECT_TRUE(m_opened.empty());

    Send(m_link, QEvent::MouseButtonPress, OnText(), Qt::LeftButton);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QUrl(QStringLiteral("https://example.org/home")));

    m_link->SetLinkTarget(QString());
    Send(m_link, QEvent::MouseButtonPress, OnText(), Qt::LeftButton);
    EXPECT_EQ(m_opened.size(), 1u);
}

TEST_F(HyperLinkTest, PaintedBlueAndUnderlined)
{
    const QImage image = m_link->grab().toImage();
    const auto isLinkBlue = [](QRgb pixel) { return qBlue(pixel) > 180 && qRed(pixel) < 90 && qGreen(pixel) < 90; };
    int blue = 0;
    int longestRun = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const bool hit = isLinkBlue(image.pixel(x, y));
            blue += hit;
            run = hit ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GT(blue, 0);
    // The underline runs under the whole text, unlike any letter's stroke.
    EXPECT_GE(longestRun, m_extent.width() * 8 / 10);
    EXPECT_LE(longestRun, m_extent.width() + 2);
}

TEST(AboutDlgTest, TextsLinkAndPicture)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Vorlanta"));
    EXPECT_EQ(about.ProductLabel()->text(), QStringLiteral("Vorlanta"));
    EXPECT_EQ(about.VersionLabel()->text(), QStringLiteral("Version 1.0"));
    EXPECT_FALSE(about.MakerLabel()->text().isEmpty());
    // Built without a home page, the link leads to the shipped help pages, which exist.
    const QUrl target(about.Link()->LinkTarget());
    ASSERT_TRUE(target.isLocalFile());
    EXPECT_TRUE(QFileInfo::exists(target.toLocalFile())) << target.toLocalFile().toStdString();
    EXPECT_EQ(about.Link()->text(), QStringLiteral("Vorlanta Help"));
    EXPECT_TRUE(about.OkButton()->isDefault());

    // The whole address fits its control and lies inside the box.
    EXPECT_GE(about.Link()->width(), about.Link()->TextExtent().width());
    EXPECT_TRUE(about.rect().contains(about.Link()->geometry()));
    EXPECT_TRUE(about.rect().contains(about.MakerLabel()->geometry()));
    EXPECT_TRUE(about.rect().contains(about.Picture()->geometry()));

    const QPixmap picture = about.Picture()->pixmap();
    ASSERT_EQ(picture.size(), QSize(128, 128));
    const QImage image = picture.toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);              // rounded corner
    EXPECT_EQ(qAlpha(image.pixel(64, 20)), 255);          // the square
    EXPECT_NE(image.pixel(64, 64), image.pixel(64, 20));  // the wave
}

TEST(AboutDlgTest, OkClosesTheBox)
{
    CAboutDlg about;
    about.show();
    about.OkButton()->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace

// Where no browser can be started, the link's page opens in the program's
// own help window.
TEST(AboutDlgTest, WithoutABrowserTheLinkOpensTheHelpWindow)
{
    CAboutDlg about;
    std::vector<QUrl> launched;
    about.SetLauncher([&](const QUrl& target) {
        launched.push_back(target);
        return false;
    });
    about.OpenLink(QUrl(CAboutDlg::LinkTarget()));
    ASSERT_EQ(launched.size(), 1u);
    ASSERT_NE(about.HelpWindow(), nullptr);
    EXPECT_TRUE(about.HelpWindow()->isVisible());
    EXPECT_EQ(QFileInfo(about.HelpWindow()->Topic().toLocalFile()).fileName(), QString("intro.htm"));
}
