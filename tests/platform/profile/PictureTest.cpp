#include "platform/ResourcePictureSource.h"

#include <gtest/gtest.h>

#include <QImage>

#include "TempDrives.h"

using namespace vantric;

namespace {

uint32_t BigEndian32(const QByteArray& bytes, int at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    }
    return v;
}

TEST(CautionPicture, IsA354By303EightBitRgbPngNotInterlaced) {
    const QByteArray png = PictureResourceBytes(kOverweightPictureId);
    ASSERT_GE(png.size(), 33);
    EXPECT_EQ(png.left(8), QByteArray("\x89PNG\r\n\x1A\n"));
    EXPECT_EQ(png.mid(12, 4), QByteArray("IHDR"));  // the first chunk, as PNG requires
    EXPECT_EQ(BigEndian32(png, 16), 354u);
    EXPECT_EQ(BigEndian32(png, 20), 303u);
    EXPECT_EQ(png[24], 8);  // bit depth
    EXPECT_EQ(png[25], 2);  // colour type: RGB
    EXPECT_EQ(png[28], 0);  // interlace: none

    // Black on white: the corners are white and there is a good deal of black.
    const QImage image = QImage::fromData(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(353, 302), qRgb(255, 255, 255));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 354 * 303 / 20);
}

TEST(ResourcePictureSource, FindsPicture501AndNothingElseById) {
    ResourcePictureSource source;
    const PictureRef picture = source.LoadById(501);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->resourceId, 501);
    EXPECT_EQ(picture->encoded, PictureResourceBytes(501));
    EXPECT_EQ(source.LoadById(501), picture);  // one copy for every cell
    for (int id : {0, -1, 500, 502}) {
        EXPECT_EQ(source.LoadById(id), nullptr) << id;
        EXPECT_TRUE(PictureResourceBytes(id).isEmpty()) << id;
    }
}

TEST(ResourcePictureSource, LoadsByNameFromResourcesAndDrivesOrGivesNull) {
    TempDrives drives;
    drives.Put("D/pics/caution.png", PictureResourceBytes(501));
    drives.Put("D/pics/not-a-picture.png", "plain text");
    ResourcePictureSource source;

    const PictureRef fromResource = source.LoadByName(":/pictures/501.png");
    ASSERT_NE(fromResource, nullptr);
    EXPECT_EQ(fromResource->name, QStringLiteral(":/pictures/501.png"));
    EXPECT_EQ(fromResource->resourceId, 0);

    const PictureRef fromDrive = source.LoadByName("D:\\pics\\caution.png");
    ASSERT_NE(fromDrive, nullptr);
    EXPECT_EQ(fromDrive->encoded, PictureResourceBytes(501));

    for (const char* name : {"", "D:/pics/missing.png", "D:/pics/not-a-picture.png", "D:/pics",
                             ":/pictures/none.png"}) {
        EXPECT_EQ(source.LoadByName(name), nullptr) << name;
    }
}

}  // namespace
