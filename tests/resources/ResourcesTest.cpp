// The compiled-in pictures: valid SVG that Qt draws without complaint, at the sizes the windows lay
// them out at, each one its own.
#include <QDirIterator>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

// clang-format off
const QHash<QString, QSize> kSizes = {
    {":/pictures/toolbar/setup.svg", {48, 48}},     {":/pictures/toolbar/activation.svg", {48, 48}},
    {":/pictures/toolbar/actions.svg", {48, 48}},   {":/pictures/toolbar/closecombat.svg", {48, 48}},
    {":/pictures/toolbar/random.svg", {48, 48}},    {":/pictures/toolbar/stats.svg", {48, 48}},
    {":/pictures/toolbar/locations.svg", {48, 48}}, {":/pictures/toolbar/about.svg", {48, 48}},
    {":/pictures/splash.svg", {320, 200}},          {":/pictures/about.svg", {96, 96}},
    {":/pictures/hexgrain-long.svg", {64, 48}},     {":/pictures/hexgrain-short.svg", {64, 48}},
    {":/pictures/dorva2.svg", {256, 256}},          {":/pictures/tables/6a.svg", {60, 60}},
    {":/pictures/tables/6b.svg", {60, 60}},         {":/pictures/tables/6c.svg", {60, 60}},
    {":/pictures/tables/6d.svg", {60, 60}},         {":/pictures/tables/6e.svg", {60, 60}},
    {":/pictures/tables/6f.svg", {60, 60}},         {":/pictures/tables/6g.svg", {60, 60}},
    {":/pictures/tables/6h.svg", {60, 60}},
    // The direction pictures, by number.
    {":/pictures/100", {92, 58}}, {":/pictures/101", {92, 58}}, {":/pictures/102", {92, 58}},
    {":/pictures/103", {92, 58}}, {":/pictures/200", {92, 58}}, {":/pictures/201", {92, 58}},
    {":/pictures/202", {92, 58}}, {":/pictures/300", {88, 91}}, {":/pictures/301", {88, 91}},
    {":/pictures/302", {88, 91}}, {":/pictures/303", {88, 91}}, {":/pictures/304", {88, 91}},
    {":/pictures/305", {88, 91}}, {":/pictures/306", {88, 91}}, {":/pictures/400", {91, 87}},
};
// clang-format on

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
        ASSERT_TRUE(kSizes.contains(path));
        const QSize size = kSizes.value(path);

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
        qsizetype painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(double(painted) / double(size.width() * size.height()), 0.2);
        const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(drawings.contains(bits));
        drawings << bits;
    }
    EXPECT_EQ(drawings.size(), kSizes.size()) << "a listed picture is missing";
}

} // namespace
