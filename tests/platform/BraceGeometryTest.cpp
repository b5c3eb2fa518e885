#include "platform/BraceGeometry.h"

#include <gtest/gtest.h>

#include <QLocale>

TEST(BraceGeometry, WritesThePlatformFormAndReadsItBackExactly)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // decimal comma must not leak in
    EXPECT_EQ(BraceGeometry::fromRect(QRectF(10, 20.5, 243, 154)), QStringLiteral("{{10, 20.5}, {243, 154}}"));
    EXPECT_EQ(BraceGeometry::fromSize(QSizeF(243, 154)), QStringLiteral("{243, 154}"));
    EXPECT_EQ(BraceGeometry::fromPoint(QPointF(-0.25, 3)), QStringLiteral("{-0.25, 3}"));
    const QRectF awkward(0.1, 1.0 / 3.0, 1e-7, 123456789.125);
    EXPECT_EQ(BraceGeometry::rectFromString(BraceGeometry::fromRect(awkward)), awkward);
    QLocale::setDefault(saved);
}

TEST(BraceGeometry, ReadsLeniently)
{
    EXPECT_EQ(BraceGeometry::rectFromString(QStringLiteral("{{1,2},{3,4}}")), QRectF(1, 2, 3, 4));
    EXPECT_EQ(BraceGeometry::sizeFromString(QStringLiteral(" { 2.5e1 , +7 } ")), QSizeF(25, 7));
    EXPECT_EQ(BraceGeometry::pointFromString(QStringLiteral("{5}")), QPointF(5, 0));
    EXPECT_EQ(BraceGeometry::rectFromString(QStringLiteral("garbage")), QRectF());
    EXPECT_EQ(BraceGeometry::rectFromString(QStringLiteral("{{-inf, 1e999}, {nan, 2}}")), QRectF(0, 0, 2, 0));
}
