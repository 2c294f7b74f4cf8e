// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/companions.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>

TEST(Companions, ThumbnailOrderIsBmpGifJpg)
{
    TestFolders folders;
    const QString house = folders.path(QStringLiteral("cat/house.bmp"));
    folders.write(QStringLiteral("cat/house.bmp"), pictureBytes("BMP"));
    EXPECT_TRUE(pntThumbnailFile(house).isEmpty());
    folders.write(QStringLiteral("cat/house_.jpg"), pictureBytes("JPG"));
    EXPECT_EQ(pntThumbnailFile(house), folders.path(QStringLiteral("cat/house_.jpg")));
    folders.write(QStringLiteral("cat/house_.gif"), pictureBytes("GIF"));
    EXPECT_EQ(pntThumbnailFile(house), folders.path(QStringLiteral("cat/house_.gif")));
    folders.write(QStringLiteral("cat/HOUSE_.BMP"), pictureBytes("BMP"));
    EXPECT_EQ(pntThumbnailFile(house), folders.path(QStringLiteral("cat/HOUSE_.BMP")));
    // A picture of another format shares the base, so the same thumbnail.
    EXPECT_EQ(pntThumbnailFile(folders.path(QStringLiteral("cat/house.wmf"))), folders.path(QStringLiteral("cat/HOUSE_.BMP")));
}

TEST(Companions, NameSoundAndFigureFiles)
{
    TestFolders folders;
    const QString fish = folders.path(QStringLiteral("cat/fish.gif"));
    EXPECT_TRUE(pntNameFile(fish).isEmpty());
    EXPECT_TRUE(pntSoundFile(fish).isEmpty());
    EXPECT_TRUE(pntFigureFile(fish).isEmpty());
    EXPECT_TRUE(pntPictureName(fish).isEmpty());
    folders.write(QStringLiteral("cat/fish.wav"), "RIFF");
    folders.write(QStringLiteral("cat/fish.ini"), "[coords]\n");
    folders.write(QStringLiteral("cat/fish.dat"), "Little fish, blue\r\n");
    EXPECT_EQ(pntSoundFile(fish), folders.path(QStringLiteral("cat/fish.wav")));
    EXPECT_EQ(pntFigureFile(fish), folders.path(QStringLiteral("cat/fish.ini")));
    EXPECT_EQ(pntPictureName(fish), QStringLiteral("Little fish"));
    folders.write(QStringLiteral("cat/fish.dat"), "\"Little fish, blue\"\r\nsecond line\r\n");
    EXPECT_EQ(pntPictureName(fish), QStringLiteral("Little fish, blue"));
    folders.write(QStringLiteral("cat/fish.dat"), "");
    EXPECT_TRUE(pntPictureName(fish).isEmpty());
    folders.write(QStringLiteral("cat/fish.dat"), "\r\n\r\n   \r\n");
    EXPECT_TRUE(pntPictureName(fish).isEmpty());
}

TEST(Companions, WhichFileNamesCanBePictures)
{
    EXPECT_TRUE(pntCanBePicture(QStringLiteral("house.bmp")));
    EXPECT_TRUE(pntCanBePicture(QStringLiteral("Fish.WMF")));
    EXPECT_TRUE(pntCanBePicture(QStringLiteral("car.jpeg")));
    EXPECT_FALSE(pntCanBePicture(QStringLiteral("house_.bmp")));
    EXPECT_FALSE(pntCanBePicture(QStringLiteral("my_house.bmp")));
    EXPECT_FALSE(pntCanBePicture(QStringLiteral("house.png")));
    EXPECT_FALSE(pntCanBePicture(QStringLiteral("house.dat")));
    EXPECT_EQ(pntCompanionBase(QStringLiteral("/p/a/house.bmp")), QStringLiteral("/p/a/house"));
}
