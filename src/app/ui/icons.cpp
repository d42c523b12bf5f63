#include "app/ui/icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

namespace ks {

namespace {

constexpr int Icon_Size = 40;
const QColor Icon_Blue(36, 96, 160);
const QColor Icon_Red(176, 40, 40);
const QColor Icon_Grey(90, 90, 90);

QPixmap Canvas(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

QIcon Icon_From(const QPixmap& pm) {
    QIcon icon(pm);
    // A paler variant for the disabled state comes from QIcon itself.
    return icon;
}

// Stands for a standard icon and asks the style for it on first use. Sizes
// and pictures are those of the style's own icon; device pixel ratios are
// applied by the QIcon that owns this engine, exactly as for the style's.
class Lazy_Standard_Icon : public QIconEngine {
public:
    explicit Lazy_Standard_Icon(QStyle::StandardPixmap which) : which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // Ratio 1: the owning QIcon has already scaled the size.
        return Real().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Real().availableSizes(mode, state);
    }
    bool isNull() override { return Real().isNull(); }
    QString key() const override { return QStringLiteral("ks_lazy_standard"); }
    QIconEngine* clone() const override { return new Lazy_Standard_Icon(*this); }

private:
    const QIcon& Real() {
        if (!loaded_) {
            loaded_ = true;
            if (QStyle* s = QApplication::style()) icon_ = s->standardIcon(which_);
        }
        return icon_;
    }

    QStyle::StandardPixmap which_;
    bool loaded_ = false;
    QIcon icon_;
};

} // namespace

QIcon Standard_Icon(QStyle::StandardPixmap which) { return QIcon(new Lazy_Standard_Icon(which)); }

QIcon Info_Icon() {
    QPixmap pm = Canvas(Icon_Size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Icon_Blue);
    p.drawEllipse(QRectF(2, 2, Icon_Size - 4, Icon_Size - 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(17, 8, 6, 6));
    p.drawRoundedRect(QRectF(17, 17, 6, 15), 2, 2);
    return Icon_From(pm);
}

QIcon Options_Icon() {
    QPixmap pm = Canvas(Icon_Size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(Icon_Size / 2.0, Icon_Size / 2.0);
    // A cog: eight teeth around a ring with a hole.
    p.setPen(QPen(Icon_Grey, 7, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4.0;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 10, c + QPointF(std::cos(a), std::sin(a)) * 18);
    }
    p.setPen(QPen(Icon_Grey, 7.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 9, 9);
    return Icon_From(pm);
}

QIcon Close_Icon() {
    QPixmap pm = Canvas(Icon_Size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A power symbol: an open ring with a bar through its gap.
    QPen pen(Icon_Red, 4.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const QRectF r(7, 8, 26, 26);
    p.drawArc(r, 120 * 16, 300 * 16);
    p.drawLine(QPointF(20, 4), QPointF(20, 19));
    return Icon_From(pm);
}

QPixmap Logo_Pixmap(int size) {
    QPixmap pm = Canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 81.0, size / 81.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Icon_Blue);
    p.drawRoundedRect(QRectF(1, 1, 79, 79), 12, 12);
    // Wings of a kestrel, spread.
    QPainterPath bird;
    bird.moveTo(40.5, 30);
    bird.cubicTo(30, 18, 16, 16, 6, 22);
    bird.cubicTo(18, 24, 28, 30, 36, 40);
    bird.lineTo(40.5, 52);
    bird.lineTo(45, 40);
    bird.cubicTo(53, 30, 63, 24, 75, 22);
    bird.cubicTo(65, 16, 51, 18, 40.5, 30);
    p.setBrush(Qt::white);
    p.drawPath(bird);
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 52, 81, 26), Qt::AlignCenter, QStringLiteral("K"));
    return pm;
}

} // namespace ks
