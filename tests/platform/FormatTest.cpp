#include "data/DataDm.h"
#include "data/PubUnit.h"

#include <gtest/gtest.h>

TEST(FormatFloat, DelphiDisplayFormats)
{
    const struct { const char* format; double value; const char* shown; } cases[] = {
        {",0.00##", 1234.5, "1,234.50"},
        {",0.00##", 1234.56789, "1,234.5679"},
        {",0.00##", 0, "0.00"},
        {",0.00##", -1234567.125, "-1,234,567.125"},
        {",0.", 1234.5, "1,235"},
        {",0.", 999, "999"},
        {"0.##", 2, "2"},
        {"0.##", 2.456, "2.46"},
        {"0.", 0.4, "0"},
        {"#.##", 0.5, ".5"},
        {"0.00", -0.001, "0.00"},
        {"0.0;(0.0);零", -3.25, "(3.3)"},
        {"0.0;(0.0);零", 0, "零"},
        {"'¥',0.00", 12, "¥12.00"},
        {",0.00'元'", 1234.5, "1,234.50元"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value).toStdString(), c.shown)
            << c.format << " " << c.value;
}

TEST(NumberFormat, StylesAndPlaces)
{
    EXPECT_EQ(TdmData::NumberFormat(4, 3), QStringLiteral(",0.00##"));
    EXPECT_EQ(TdmData::NumberFormat(4, 2), QStringLiteral(",0.00##"));
    EXPECT_EQ(TdmData::NumberFormat(1, 3), QStringLiteral(",0.0"));
    EXPECT_EQ(TdmData::NumberFormat(0, 3), QStringLiteral(",0."));
    EXPECT_EQ(TdmData::NumberFormat(3, 1), QStringLiteral("0.###"));
    EXPECT_EQ(TdmData::NumberFormat(0, 1), QStringLiteral("0."));
    EXPECT_EQ(TdmData::NumberFormat(2, 4), QString());
}

TEST(PubUnit, EmptyDatesAndImageKinds)
{
    EXPECT_TRUE(IsEmptyDate(QStringLiteral("1900-08-14")));
    EXPECT_TRUE(IsEmptyDate(QStringLiteral("1901-08-13")));
    EXPECT_TRUE(IsEmptyDate(QString()));
    EXPECT_FALSE(IsEmptyDate(QStringLiteral("1901-08-14")));
    EXPECT_FALSE(IsEmptyDate(QStringLiteral("2026-03-09 10:00:00")));

    EXPECT_EQ(ImageKind(QStringLiteral("a.BMP")), 1);
    EXPECT_EQ(ImageKind(QStringLiteral("a.jpeg")), 2);
    EXPECT_EQ(ImageKind(QStringLiteral("a.Gif")), 3);
    EXPECT_EQ(ImageKind(QStringLiteral("a.png")), 0);
    EXPECT_EQ(ImageKind(QStringLiteral("bmp")), 0);
    EXPECT_TRUE(IsJpegFile(QStringLiteral("scan.JPG")));
    EXPECT_FALSE(IsJpegFile(QStringLiteral("scan.jpg.png")));
}

TEST(DeptList, StoredFormToNames)
{
    EXPECT_EQ(TdmData::deptNames(QStringLiteral("'销售部','O''Neil'")),
              (QStringList{QStringLiteral("销售部"), QStringLiteral("O'Neil")}));
    EXPECT_TRUE(TdmData::deptNames(QString()).isEmpty());
}
