// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>

// A text link: its text painted blue and underlined in the parent's font,
// a hand cursor while the mouse is over the text, and a click on the text
// opening the link's target in the desktop's browser. Only the text counts,
// not the rest of the control's rectangle.
//
// The cursor follows the mouse from the second movement over the control
// on: the first movement after entering only starts watching for the mouse
// to leave.
class CHyperLink : public QLabel {
    Q_OBJECT

public:
    // Opens a target; tests replace it. Defaults to QDesktopServices.
    using Opener = std::function<void(const QUrl& target)>;

    static constexpr QRgb kLinkColour = 0xff0000ff;

    explicit CHyperLink(const QString& text = QString(), QWidget* parent = nullptr);
    ~CHyperLink() override;

    void SetLinkTarget(const QString& target);
    QString LinkTarget() const { return m_target; }
    void SetOpener(Opener opener);

    // Whether `point` (in the control's coordinates) lies on the text:
    // 0 <= x < text width and 0 <= y < text height.
    bool HitTest(const QPoint& point);
    // The text's extent in the underline font.
    QSize TextExtent();
    // The font the text is painted in: the parent's font, underlined.
    QFont UnderlineFont() const;

    // Whether the control is waiting for the mouse to leave it.
    bool IsTracking() const { return m_tracking; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Measure();

    QString m_target;
    QString m_measuredText;
    QSize m_extent;
    bool m_tracking = false;
    bool m_measured = false;
    Opener m_opener;
};
