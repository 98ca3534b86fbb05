// SPDX-License-Identifier: GPL-3.0-or-later
// Draws Vorlanta's bitmaps: the 24 x 24 main toolbar strip, the 16 x 16
// menu-image strip (both 24-bit with magenta as the transparent colour) and
// the application icon in two sizes.
//
// Every image is drawn in a 24-unit square (the icon in a 256-unit square)
// with antialiasing onto a transparent canvas; the strips are then flattened:
// a mostly transparent pixel becomes magenta, the rest is blended onto a
// light button face so the edges stay smooth without a pink fringe.

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kFace(236, 236, 236);
const QColor kOutline(70, 80, 92);

using IconPainter = std::function<void(QPainter&, bool small)>;

QPen OutlinePen(qreal width, const QColor& colour = kOutline)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A sheet of paper with a folded top-right corner.
void DrawPage(QPainter& p, bool small, const QRectF& r)
{
    const qreal fold = 5;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(222, 230, 240));
    p.setBrush(fill);
    p.setPen(OutlinePen(small ? 1.5 : 1.2));
    p.drawPath(page);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(200, 210, 222));
    p.drawPath(corner);
}

// A single eighth note, head centred at (x, y).
void DrawNote(QPainter& p, qreal x, qreal y, qreal scale, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.save();
    p.translate(x, y);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 2.6 * scale, 1.9 * scale);
    p.restore();
    const qreal stemX = x + 2.1 * scale;
    p.setPen(QPen(colour, 1.3 * scale, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(stemX, y - 0.5 * scale), QPointF(stemX, y - 9 * scale));
    QPainterPath flag;
    flag.moveTo(stemX, y - 9 * scale);
    flag.cubicTo(stemX + 1 * scale, y - 6 * scale, stemX + 4.5 * scale, y - 6 * scale, stemX + 3 * scale,
                 y - 2.5 * scale);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

// A round badge with a soft highlight.
void DrawBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& light, const QColor& dark, bool small)
{
    QRadialGradient fill(centre.x() - radius * 0.35, centre.y() - radius * 0.45, radius * 1.5);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setBrush(fill);
    p.setPen(OutlinePen(small ? 1.5 : 1.1, dark.darker(150)));
    p.drawEllipse(centre, radius, radius);
}

void DrawAdd(QPainter& p, bool small)
{
    DrawPage(p, small, QRectF(3.5, 2.5, 13, 17));
    DrawNote(p, 8.5, 14.5, small ? 0.85 : 0.8, QColor(40, 90, 170));
    DrawBadge(p, QPointF(17, 17), 6, QColor(120, 215, 110), QColor(30, 140, 40), small);
    p.setPen(QPen(Qt::white, small ? 2.6 : 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 13.6), QPointF(17, 20.4));
    p.drawLine(QPointF(13.6, 17), QPointF(20.4, 17));
}

void DrawDelete(QPainter& p, bool small)
{
    const qreal outer = small ? 6.4 : 5.6;
    const qreal inner = small ? 4.0 : 3.6;
    const QLineF a(QPointF(6, 6), QPointF(18, 18));
    const QLineF b(QPointF(18, 6), QPointF(6, 18));
    p.setPen(QPen(QColor(150, 20, 20), outer, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a);
    p.drawLine(b);
    QLinearGradient fill(QPointF(0, 5), QPointF(0, 19));
    fill.setColorAt(0, QColor(250, 110, 100));
    fill.setColorAt(1, QColor(210, 40, 35));
    p.setPen(QPen(QBrush(fill), inner, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a);
    p.drawLine(b);
}

void DrawProperty(QPainter& p, bool small)
{
    DrawPage(p, small, QRectF(3.5, 2.5, 14, 19));
    // Text lines, on pixel centres at either size.
    p.setPen(QPen(QColor(90, 105, 125), small ? 1.5 : 1.0, Qt::SolidLine, Qt::FlatCap));
    const std::vector<qreal> lines
        = small ? std::vector<qreal>{6.75, 9.75, 12.75} : std::vector<qreal>{7.5, 10.5, 13.5, 16.5};
    for (std::size_t i = 0; i < lines.size(); ++i)
        p.drawLine(QPointF(6.5, lines[i]), QPointF(i == 0 ? 12.5 : 14.5, lines[i]));
    // A pencil lying across the lower right corner.
    p.save();
    p.translate(15.5, 15.5);
    p.rotate(-45);
    QPainterPath body;
    body.addRect(QRectF(-1, -2.2, 9, 4.4));
    p.setPen(OutlinePen(small ? 1.3 : 1.0, QColor(120, 80, 10)));
    p.setBrush(QColor(250, 190, 50));
    p.drawPath(body);
    QPainterPath tip;
    tip.moveTo(-1, -2.2);
    tip.lineTo(-5.5, 0);
    tip.lineTo(-1, 2.2);
    tip.closeSubpath();
    p.setBrush(QColor(245, 220, 170));
    p.drawPath(tip);
    p.setBrush(QColor(235, 120, 120));
    p.drawRect(QRectF(8, -2.2, 2, 4.4));
    p.restore();
}

void DrawGear(QPainter& p, bool small, const QPointF& c, qreal outerR, qreal innerR, int teeth)
{
    QPainterPath gear;
    const qreal step = 2 * M_PI / teeth;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        const qreal half = step * 0.22;
        const qreal root = step * 0.30;
        auto at
            = [&](qreal r, qreal angle) { return QPointF(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle)); };
        if (i == 0)
            gear.moveTo(at(innerR, a - root));
        else
            gear.lineTo(at(innerR, a - root));
        gear.lineTo(at(outerR, a - half));
        gear.lineTo(at(outerR, a + half));
        gear.lineTo(at(innerR, a + root));
    }
    gear.closeSubpath();
    gear.addEllipse(c, innerR * 0.42, innerR * 0.42);
    gear.setFillRule(Qt::OddEvenFill);
    QLinearGradient fill(QPointF(c.x(), c.y() - outerR), QPointF(c.x(), c.y() + outerR));
    fill.setColorAt(0, QColor(170, 185, 205));
    fill.setColorAt(1, QColor(85, 105, 130));
    p.setBrush(fill);
    p.setPen(OutlinePen(small ? 1.4 : 1.1, QColor(50, 60, 75)));
    p.drawPath(gear);
}

void DrawSettings(QPainter& p, bool small)
{
    DrawGear(p, small, QPointF(12, 12), 10, 7.2, 8);
}

void DrawCustomize(QPainter& p, bool small)
{
    // A small toolbar with three buttons, and a gear that tunes it.
    p.setPen(OutlinePen(small ? 1.4 : 1.1));
    QLinearGradient bar(QPointF(0, 4), QPointF(0, 14));
    bar.setColorAt(0, QColor(250, 250, 252));
    bar.setColorAt(1, QColor(205, 212, 222));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(1.5, 3.5, 21, 10), 2, 2);
    const QColor tiles[] = {QColor(220, 70, 60), QColor(60, 165, 70), QColor(55, 110, 200)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(tiles[i]);
        p.drawRoundedRect(QRectF(4 + i * 5.5, 6, 4, 5), 1, 1);
    }
    DrawGear(p, small, QPointF(16.5, 16.5), 6.5, 4.6, 7);
}

void DrawHelp(QPainter& p, bool small)
{
    DrawBadge(p, QPointF(12, 12), 10, QColor(110, 170, 245), QColor(25, 80, 170), small);
    QPainterPath hook;
    hook.moveTo(8.6, 9.2);
    hook.cubicTo(8.6, 4.8, 15.6, 4.8, 15.6, 9.0);
    hook.cubicTo(15.6, 11.6, 12.2, 11.8, 12.2, 14.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, small ? 3.0 : 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12.2, 18.2), small ? 1.8 : 1.6, small ? 1.8 : 1.6);
}

void DrawAbout(QPainter& p, bool small)
{
    DrawBadge(p, QPointF(12, 12), 10, QColor(100, 210, 200), QColor(20, 120, 130), small);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 6.9), small ? 1.9 : 1.7, small ? 1.9 : 1.7);
    p.setPen(QPen(Qt::white, small ? 3.2 : 2.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 10.8), QPointF(12, 17.4));
}

void DrawExit(QPainter& p, bool small)
{
    // An open door with an arrow leaving through it.
    p.setPen(OutlinePen(small ? 1.4 : 1.1, QColor(90, 55, 25)));
    p.setBrush(QColor(60, 45, 35));
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    QPainterPath door;
    door.moveTo(3.5, 2.5);
    door.lineTo(9.5, 4.5);
    door.lineTo(9.5, 23);
    door.lineTo(3.5, 21.5);
    door.closeSubpath();
    QLinearGradient wood(QPointF(3, 0), QPointF(10, 0));
    wood.setColorAt(0, QColor(215, 150, 85));
    wood.setColorAt(1, QColor(165, 100, 45));
    p.setBrush(wood);
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(8.2, 13), 0.9, 0.9);

    QPainterPath arrow;
    arrow.moveTo(11, 10);
    arrow.lineTo(17, 10);
    arrow.lineTo(17, 6.5);
    arrow.lineTo(22.5, 12);
    arrow.lineTo(17, 17.5);
    arrow.lineTo(17, 14);
    arrow.lineTo(11, 14);
    arrow.closeSubpath();
    QLinearGradient fill(QPointF(0, 6), QPointF(0, 18));
    fill.setColorAt(0, QColor(120, 215, 110));
    fill.setColorAt(1, QColor(30, 140, 40));
    p.setBrush(fill);
    p.setPen(OutlinePen(small ? 1.3 : 1.0, QColor(20, 95, 30)));
    p.drawPath(arrow);
}

// Renders one image of `size` pixels onto a transparent canvas.
QImage RenderIcon(const IconPainter& draw, int size)
{
    QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p, size < 20);
    return canvas;
}

// Turns a transparent canvas into a 24-bit image keyed on magenta.
QImage FlattenOnMagenta(const QImage& canvas)
{
    const QImage src = canvas.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB888);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QColor c = QColor::fromRgba(src.pixel(x, y));
            const int a = c.alpha();
            if (a < 100) {
                out.setPixelColor(x, y, kMagenta);
                continue;
            }
            auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a)) / 255; };
            QColor flat(mix(c.red(), kFace.red()), mix(c.green(), kFace.green()), mix(c.blue(), kFace.blue()));
            if (flat == kMagenta)
                flat.setBlue(254);
            out.setPixelColor(x, y, flat);
        }
    }
    return out;
}

QImage MakeStrip(const std::vector<IconPainter>& icons, int size)
{
    QImage strip(size * int(icons.size()), size, QImage::Format_RGB888);
    strip.fill(kMagenta);
    QPainter p(&strip);
    for (size_t i = 0; i < icons.size(); ++i)
        p.drawImage(int(i) * size, 0, FlattenOnMagenta(RenderIcon(icons[i], size)));
    return strip;
}

void DrawAppIcon(QPainter& p)
{
    // Rounded tile, two beamed notes, and a circular arrow for the conversion.
    QLinearGradient tile(QPointF(0, 0), QPointF(0, 256));
    tile.setColorAt(0, QColor(70, 140, 230));
    tile.setColorAt(1, QColor(30, 65, 150));
    p.setPen(QPen(QColor(20, 45, 110), 6));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(10, 10, 236, 236), 46, 46);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(22, 22, 212, 96), 36, 36);

    const QColor white(255, 255, 255);
    p.setBrush(white);
    for (const QPointF head : {QPointF(78, 188), QPointF(166, 166)}) {
        p.save();
        p.translate(head);
        p.rotate(-22);
        p.drawEllipse(QPointF(0, 0), 30, 22);
        p.restore();
    }
    p.setPen(QPen(white, 14, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(100, 182), QPointF(100, 62));
    p.drawLine(QPointF(188, 160), QPointF(188, 42));
    QPainterPath beam;
    beam.moveTo(93, 58);
    beam.lineTo(195, 36);
    beam.lineTo(195, 66);
    beam.lineTo(93, 88);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(beam);

    // Orange badge with a turning arrow, lower right.
    const QPointF c(192, 200);
    QRadialGradient badge(c.x() - 14, c.y() - 16, 60);
    badge.setColorAt(0, QColor(255, 200, 90));
    badge.setColorAt(1, QColor(230, 110, 20));
    p.setBrush(badge);
    p.setPen(QPen(QColor(150, 65, 10), 5));
    p.drawEllipse(c, 44, 44);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(white, 11, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(c.x() - 25, c.y() - 25, 50, 50), 120 * 16, 270 * 16);
    QPainterPath head;
    const qreal a = 120 * M_PI / 180;
    const QPointF tip(c.x() + 25 * std::cos(a), c.y() - 25 * std::sin(a));
    head.moveTo(tip.x() + 15, tip.y() - 9);
    head.lineTo(tip.x() - 6, tip.y() - 14);
    head.lineTo(tip.x() + 3, tip.y() + 12);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(head);
}

QImage MakeAppIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    DrawAppIcon(p);
    return icon;
}

// An enlarged copy for looking at the strip: magenta shown as a checkerboard.
QImage Preview(const QImage& strip, int factor)
{
    QImage big = strip.scaled(strip.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if (QColor(big.pixel(x, y)) == kMagenta)
                big.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(200, 200, 200) : qRgb(250, 250, 250));
    return big;
}

bool Save(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_artwork OUTPUT-FOLDER [PREVIEW-FOLDER]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    // One order for both strips: add, delete, property, settings, customize,
    // help, about, exit.
    const std::vector<IconPainter> icons
        = {DrawAdd, DrawDelete, DrawProperty, DrawSettings, DrawCustomize, DrawHelp, DrawAbout, DrawExit};
    const QImage toolbar = MakeStrip(icons, 24);
    const QImage menu = MakeStrip(icons, 16);
    bool ok = Save(toolbar, out + "/toolbar24.png") && Save(menu, out + "/menuimages16.png")
        && Save(MakeAppIcon(64), out + "/vorlanta64.png") && Save(MakeAppIcon(256), out + "/vorlanta256.png");
    if (ok && argc > 2) {
        const QString preview = QString::fromLocal8Bit(argv[2]);
        ok = Save(Preview(toolbar, 8), preview + "/toolbar24-preview.png")
            && Save(Preview(menu, 8), preview + "/menuimages16-preview.png");
    }
    return ok ? 0 : 1;
}
