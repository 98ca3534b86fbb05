// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QIcon>
#include <QPointer>
#include <QToolBar>

// Where a menu item's image comes from: a toolbar (its buttons' icons are
// the image list) and the index of the button that carries the image. An
// item has an image only when the toolbar still exists and the index is not
// -1.
struct MenuImage {
    QPointer<const QToolBar> imageList;
    int index = -1;

    bool HasImage() const { return imageList && index != -1 && !Icon().isNull(); }

    QIcon Icon() const
    {
        if (!imageList || index < 0)
            return QIcon();
        const QList<QAction*> buttons = imageList->actions();
        return index < buttons.size() ? buttons.at(index)->icon() : QIcon();
    }
};
