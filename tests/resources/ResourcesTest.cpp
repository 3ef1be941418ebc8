#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

// The size each kind of picture is laid out at, by the start of its path (direction pictures: numbers).
// clang-format off
const std::pair<QString, QSize> kSizes[] = {
    {":/pictures/toolbar/", {48, 48}}, {":/pictures/tables/", {60, 60}}, {":/pictures/splash.svg", {320, 200}},
    {":/pictures/about.svg", {96, 96}}, {":/pictures/hexgrain-", {64, 48}}, {":/pictures/dorva2.svg", {256, 256}},
    {":/pictures/1", {92, 58}}, {":/pictures/2", {92, 58}}, {":/pictures/3", {88, 91}}, {":/pictures/400", {91, 87}}};
// clang-format on
constexpr qsizetype kPictures = 36;

// Qt's SVG module reports what it cannot resolve (a paint server or element referred to but not
// there) as a warning in the "qt.svg" category and draws on without it, so a picture can load yet
// look wrong. It passes over clipPath and filter in silence, so the pictures keep to plain shapes.
QStringList gSvgWarnings;
QtMessageHandler gPreviousHandler = nullptr;

void CollectSvgWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && QString::fromLatin1(context.category).startsWith("qt.svg")) {
        gSvgWarnings << message;
        return;
    }
    gPreviousHandler(type, context, message);
}

// Every file under the pictures prefix, including ones other windows add later, has its size here.
TEST(Pictures, EachLoadsAndDrawsCleanlyAtItsSize) {
    QSet<QByteArray> drawings;
    for (QDirIterator it(":/pictures", QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        const auto* kind = std::find_if(std::begin(kSizes), std::end(kSizes),
                                        [&path](const auto& entry) { return path.startsWith(entry.first); });
        ASSERT_NE(kind, std::end(kSizes));
        const QSize size = kind->second;

        gSvgWarnings.clear();
        gPreviousHandler = qInstallMessageHandler(CollectSvgWarnings);
        QSvgRenderer renderer(path);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        qInstallMessageHandler(gPreviousHandler);

        ASSERT_TRUE(renderer.isValid() && gSvgWarnings.isEmpty()) << gSvgWarnings.join("; ").toStdString();
        EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), size));
        EXPECT_EQ(QPixmap(path).size(), size);
        // A picture that paints next to nothing is broken; the toolbar buttons carry no captions,
        // so no two pictures may look the same.
        const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        const auto* pixels = reinterpret_cast<const QRgb*>(bits.constData()); // 32 bits, rows unpadded
        const auto painted = std::count_if(pixels, pixels + image.width() * image.height(),
                                           [](QRgb pixel) { return qAlpha(pixel) > 0; });
        EXPECT_GT(double(painted) / double(size.width() * size.height()), 0.2);
        EXPECT_FALSE(drawings.contains(bits));
        drawings << bits;
    }
    EXPECT_EQ(drawings.size(), kPictures) << "a picture is missing";
}

} // namespace
