// The compiled-in pictures: present in every program that links the windows, valid SVG that Qt
// draws without complaint, at the sizes the windows lay out for them.
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

struct Picture {
    const char* path;
    QSize size;
};

const Picture kPictures[] = {
    {":/pictures/toolbar/setup.svg", {48, 48}},     {":/pictures/toolbar/activation.svg", {48, 48}},
    {":/pictures/toolbar/actions.svg", {48, 48}},   {":/pictures/toolbar/closecombat.svg", {48, 48}},
    {":/pictures/toolbar/random.svg", {48, 48}},    {":/pictures/toolbar/stats.svg", {48, 48}},
    {":/pictures/toolbar/locations.svg", {48, 48}}, {":/pictures/toolbar/about.svg", {48, 48}},
    {":/pictures/splash.svg", {320, 200}},          {":/pictures/about.svg", {96, 96}},
    {":/pictures/hexgrain-long.svg", {64, 48}},     {":/pictures/hexgrain-short.svg", {64, 48}},
    {":/pictures/dorva2.svg", {256, 256}},
};

// Qt's SVG module reports what it cannot resolve (a paint server or element referred to but not
// there) as a warning in the "qt.svg" category and draws on without it, so a picture can load yet
// look wrong. It passes over unsupported elements such as clipPath and filter in silence, so the
// pictures keep to plain shapes, paths, groups and references.
QStringList gSvgWarnings;
QtMessageHandler gPreviousHandler = nullptr;

void CollectSvgWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && QString::fromLatin1(context.category).startsWith("qt.svg")) {
        gSvgWarnings << message;
        return;
    }
    gPreviousHandler(type, context, message);
}

QImage Render(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Share of pixels that received paint: a picture that draws next to nothing is broken.
double PaintedShare(const QImage& image) {
    qsizetype painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                ++painted;
            }
        }
    }
    return double(painted) / double(image.width() * image.height());
}

class PictureTest : public ::testing::TestWithParam<Picture> {};

TEST_P(PictureTest, IsCompiledInAndDrawsCleanlyAtItsSize) {
    const QString path = QString::fromLatin1(GetParam().path);
    const QSize size = GetParam().size;
    ASSERT_TRUE(QFile::exists(path)) << path.toStdString();

    gSvgWarnings.clear();
    gPreviousHandler = qInstallMessageHandler(CollectSvgWarnings);
    QSvgRenderer renderer(path);
    const bool valid = renderer.isValid();
    const QImage image = Render(path, size);
    qInstallMessageHandler(gPreviousHandler);

    ASSERT_TRUE(valid) << path.toStdString();
    EXPECT_TRUE(gSvgWarnings.isEmpty())
        << path.toStdString() << ": " << gSvgWarnings.join("; ").toStdString();
    EXPECT_EQ(renderer.defaultSize(), size) << path.toStdString();
    EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), size)) << path.toStdString();
    EXPECT_GT(PaintedShare(image), 0.2) << path.toStdString();

    const QPixmap pixmap(path);
    ASSERT_FALSE(pixmap.isNull()) << path.toStdString();
    EXPECT_EQ(pixmap.size(), size);

    const QIcon icon(path);
    ASSERT_FALSE(icon.isNull()) << path.toStdString();
    const QPixmap iconPixmap = icon.pixmap(size);
    ASSERT_FALSE(iconPixmap.isNull()) << path.toStdString();
    EXPECT_EQ(iconPixmap.size(), size);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTest, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<Picture>& param) {
                             QString name = QString::fromLatin1(param.param.path).mid(11);
                             name.replace('/', '_').replace('-', '_').replace(".svg", "");
                             return name.toStdString();
                         });

// Every file under the pictures prefix loads, including ones other windows add later.
TEST(Pictures, EveryCompiledInPictureLoads) {
    int count = 0;
    QDirIterator it(":/pictures", QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++count;
        EXPECT_FALSE(QPixmap(path).isNull()) << path.toStdString();
    }
    EXPECT_GE(count, int(std::size(kPictures)));
}

// The toolbar buttons carry no captions, so each picture must be its own.
TEST(Pictures, ToolbarPicturesAndGrainPicturesDifferFromEachOther) {
    QSet<QByteArray> seen;
    for (const Picture& picture : kPictures) {
        const QImage image = Render(QString::fromLatin1(picture.path), picture.size);
        const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bits)) << picture.path;
        seen.insert(bits);
    }
}

} // namespace
