// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>

#include <gtest/gtest.h>

TEST(FlatMenuCharTest, FindsTheMnemonicAmpersand)
{
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("&Add"), u'a'), 0);
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("E&xit"), u'X'), 1);
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("E&xit"), u'e'), -1);
    // An escaped ampersand is no mnemonic.
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("Fish &&Chips"), u'c'), -1);
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("&Fish &&Chips"), u'c'), -1);
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("&Fish &&Chips"), u'f'), 0);
    // The search goes on leftwards past an escaped one.
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("&Cod &&Chips"), u'c'), 0);
    // A trailing ampersand has nothing after it.
    EXPECT_EQ(FlatMenu::FindMnemonic(QStringLiteral("Last&"), u'&'), -1);
    EXPECT_EQ(FlatMenu::FindMnemonic(QString(), u'a'), -1);
}

TEST(FlatMenuCharTest, ReturnsExecuteAndTheItemPosition)
{
    QMenu menu;
    menu.addAction(QStringLiteral("&Add\tF2"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Fish && &Chips"));
    menu.addAction(QStringLiteral("E&xit"));
    const int execute = FlatMenu::kMenuCharExecute << 16;

    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'x', 0), execute | 3);
    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'A', FlatMenu::kMenuCharPopup), execute | 0);
    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'c', 0), execute | 2);
    // "&&" alone selects nothing; nor does an unknown letter.
    QMenu escaped;
    escaped.addAction(QStringLiteral("Salt && Pepper"));
    EXPECT_EQ(FlatMenu::FlatMenuChar(&escaped, u'p', 0), 0);
    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'z', 0), 0);
    // Only plain requests and popup requests outside the system menu count.
    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'x', FlatMenu::kMenuCharPopup | FlatMenu::kMenuCharSysMenu), 0);
    EXPECT_EQ(FlatMenu::FlatMenuChar(&menu, u'x', FlatMenu::kMenuCharSysMenu), 0);
    EXPECT_EQ(FlatMenu::FlatMenuChar(nullptr, u'x', 0), 0);
}

TEST(FlatMenuCharTest, TypingAMnemonicInAPreparedPopupRunsTheFirstItemAtOnce)
{
    QMainWindow window;
    FlatMenu::EnableFlatMenu(&window, true);
    QMenu menu(&window);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    QAction* cut = menu.addAction(QStringLiteral("&Cut"));
    QAction* salt = menu.addAction(QStringLiteral("Salt && &Pepper"));
    int copies = 0;
    int cuts = 0;
    int peppers = 0;
    QObject::connect(copy, &QAction::triggered, [&] { ++copies; });
    QObject::connect(cut, &QAction::triggered, [&] { ++cuts; });
    QObject::connect(salt, &QAction::triggered, [&] { ++peppers; });
    FlatMenu::PrepareMenu(&window, &menu, true);

    const auto type = [&](Qt::Key key, const QString& text) {
        menu.popup(QPoint(20, 20));
        QApplication::processEvents();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&menu, &press);
        QApplication::processEvents();
        const bool closed = !menu.isVisible();
        menu.hide();
        return closed;
    };
    // Two items share "C": the first one runs, the menu closes.
    EXPECT_TRUE(type(Qt::Key_C, QStringLiteral("c")));
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(cuts, 0);
    EXPECT_TRUE(type(Qt::Key_P, QStringLiteral("P")));
    EXPECT_EQ(peppers, 1);
    // "S" stands only behind "&&": nothing runs.
    EXPECT_FALSE(type(Qt::Key_S, QStringLiteral("s")));
    EXPECT_EQ(copies + cuts + peppers, 2);
}
