// Draws the caution picture of the overweight sheet: 354 x 303 pixels, black on white, a
// warning triangle beside CAUTION, then HEAVY PACKAGE and OVER 15Kg in bold capitals, inside a
// dashed border. Written as 8-bit RGB PNG, not interlaced.
//
// Usage: draw-caution OUTPUT.png   (needs a bold sans-serif font; Liberation Sans is preferred)
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cstdio>

namespace {

constexpr int kWidth = 354;
constexpr int kHeight = 303;

QFont BoldFont(int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

// The largest bold font, up to maxPixels, whose text fits the width.
QFont FitFont(const QString& text, int width, int maxPixels) {
    for (int size = maxPixels; size > 8; --size) {
        const QFont font = BoldFont(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            return font;
        }
    }
    return BoldFont(8);
}

// Writes text centred on centreX with its cap height centred on centreY.
void DrawCapitals(QPainter& painter, const QString& text, const QFont& font, double centreX,
                  double centreY) {
    const QFontMetricsF metrics(font);
    const double capHeight = metrics.capHeight();
    painter.setFont(font);
    painter.drawText(
        QPointF(centreX - metrics.horizontalAdvance(text) / 2.0, centreY + capHeight / 2.0), text);
}

void DrawWarningTriangle(QPainter& painter, const QRectF& box) {
    const QPointF top(box.center().x(), box.top());
    const QPointF left(box.left(), box.bottom());
    const QPointF right(box.right(), box.bottom());
    QPainterPath outer;
    outer.moveTo(top);
    outer.lineTo(right);
    outer.lineTo(left);
    outer.closeSubpath();
    painter.setPen(QPen(Qt::black, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(outer);

    // The exclamation mark: a tapering bar and a round dot.
    const double cx = box.center().x();
    const double h = box.height();
    QPainterPath bar;
    bar.moveTo(cx - 6.5, box.top() + h * 0.30);
    bar.lineTo(cx + 6.5, box.top() + h * 0.30);
    bar.lineTo(cx + 3.5, box.top() + h * 0.70);
    bar.lineTo(cx - 3.5, box.top() + h * 0.70);
    bar.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(bar);
    painter.drawEllipse(QPointF(cx, box.top() + h * 0.83), 6.0, 6.0);
}

QImage DrawCaution() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QPen dashed(Qt::black, 5, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashed.setDashPattern({3.0, 2.0});  // in pen widths: 15 px dash, 10 px gap
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(8.5, 8.5, kWidth - 17, kHeight - 17));

    DrawWarningTriangle(painter, QRectF(30, 30, 100, 86));
    painter.setPen(Qt::black);
    const QString caution = QStringLiteral("CAUTION");
    DrawCapitals(painter, caution, FitFont(caution, 185, 52), 145 + 185 / 2.0, 80);

    painter.setPen(QPen(Qt::black, 4));
    painter.drawLine(QPointF(28, 138), QPointF(kWidth - 28, 138));

    painter.setPen(Qt::black);
    const QString heavy = QStringLiteral("HEAVY PACKAGE");
    DrawCapitals(painter, heavy, FitFont(heavy, 290, 44), kWidth / 2.0, 180);
    const QString over = QStringLiteral("OVER 15Kg");
    DrawCapitals(painter, over, FitFont(over, 280, 64), kWidth / 2.0, 245);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-caution OUTPUT.png\n");
        return 2;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "png");
    writer.setCompression(9);
    if (!writer.write(DrawCaution())) {
        std::fprintf(stderr, "draw-caution: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
