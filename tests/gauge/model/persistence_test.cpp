#include "model/gaugemodel.h"
#include "model/streampropertybag.h"
#include "model/textpropertybag.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>
#include <random>

using namespace qvgauge;

namespace {

// A gauge with every property away from its creation value and its persisted default.
GaugeModel changedGauge()
{
    GaugeModel model;
    EXPECT_TRUE(model.setCaption("Tank \"A\"\nlevel = 3\\4").ok);
    EXPECT_TRUE(model.setEnabled(false).ok);
    EXPECT_TRUE(model.setFont({ "Serif", 11.5f, true, true, true, true }).ok);
    EXPECT_TRUE(model.setBackColor(0x123456).ok);
    EXPECT_TRUE(model.setForeColor(systemColor(3)).ok);
    EXPECT_TRUE(model.setAppearance(1).ok);
    EXPECT_TRUE(model.setInnerTop(1).ok);
    EXPECT_TRUE(model.setInnerLeft(2).ok);
    EXPECT_TRUE(model.setInnerRight(3).ok);
    EXPECT_TRUE(model.setInnerBottom(4).ok);
    EXPECT_TRUE(model.setMax(900).ok);
    EXPECT_TRUE(model.setMin(10).ok);
    EXPECT_TRUE(model.setFillValue(450).ok);
    EXPECT_TRUE(model.setGaugeStyle(3).ok);
    EXPECT_TRUE(model.setAutosize(false).ok);
    EXPECT_TRUE(model.setNeedleWidth(3).ok);
    EXPECT_TRUE(model.setReverseFill(true).ok);
    EXPECT_TRUE(model.setScaleMode(1).ok);
    EXPECT_TRUE(model.setBevelStyle(2).ok);
    EXPECT_TRUE(model.setBevelSize(4).ok);
    EXPECT_TRUE(model.setBevelStyleInner(1).ok);
    EXPECT_TRUE(model.setBevelSizeInner(2).ok);
    EXPECT_TRUE(model.setFillColor(0x010203).ok);
    EXPECT_TRUE(model.setShadowColor(0x040506).ok);
    EXPECT_TRUE(model.setBorderColor(0x070809).ok);
    EXPECT_TRUE(model.setLightColor(0xFFFFFF).ok);
    EXPECT_TRUE(model.setTextColor(0x00FF00).ok);
    EXPECT_TRUE(model.setBorderStyle(2).ok);
    EXPECT_TRUE(model.setAlignment(2).ok);
    EXPECT_TRUE(model.setFontStyle(4).ok);
    EXPECT_TRUE(model.setFontTransparent(0).ok);
    EXPECT_TRUE(model.setMultiLine(true).ok);
    EXPECT_TRUE(model.setWallPaper(2).ok);
    EXPECT_TRUE(model.setFillBarColor(0xFF0000).ok);
    EXPECT_TRUE(model.setMousePointer(99).ok);
    EXPECT_TRUE(model.setPicture({ PictureKind::Bitmap, { 'B', 'M', 0, 1, 2, 255 } }).ok);
    EXPECT_TRUE(
        model.setPictureFill({ PictureKind::Bitmap, std::vector<std::uint8_t>(70000, 7) }).ok);
    EXPECT_TRUE(model.setMouseIcon({ PictureKind::Icon, { 0, 0, 1, 0 } }).ok);
    return model;
}

std::string savedText(const GaugeModel& model)
{
    TextPropertyBag bag;
    model.save(bag);
    return bag.text();
}

QByteArray savedStream(const GaugeModel& model)
{
    QByteArray bytes;
    StreamPropertyBag bag(&bytes);
    model.save(bag);
    return bytes;
}

GaugeModel loadedText(std::string_view text)
{
    GaugeModel model;
    TextPropertyBag bag(text);
    model.load(bag);
    return model;
}

GaugeModel loadedStream(const QByteArray& bytes)
{
    GaugeModel model;
    StreamPropertyBag bag(bytes);
    model.load(bag);
    return model;
}

void expectSameState(const GaugeModel& actual, const GaugeModel& expected)
{
    EXPECT_EQ(actual.stock(), expected.stock());
    EXPECT_EQ(actual.properties(), expected.properties());
}

// What a load gives when the bag holds nothing at all.
GaugeModel persistedDefaults()
{
    return loadedText("");
}

TEST(GaugePersistence, RoundTripsThroughBothTransports)
{
    const GaugeModel original = changedGauge();
    expectSameState(loadedText(savedText(original)), original);
    expectSameState(loadedStream(savedStream(original)), original);

    GaugeModel fresh;
    fresh.reset("Gauge1");
    expectSameState(loadedText(savedText(fresh)), fresh);
    expectSameState(loadedStream(savedStream(fresh)), fresh);
}

TEST(GaugePersistence, TextStartsWithTheVersionAndNamesEveryValue)
{
    const std::string text = savedText(changedGauge());
    EXPECT_TRUE(text.starts_with("Version=7.0\r\nCaption=\"Tank \\\"A\\\"\\nlevel = 3\\\\4\"\r\n"));
    EXPECT_NE(text.find("\r\nMax=900\r\nFillValue=450\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nPicture=1:Qk0AAQL/\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMouseIcon=3:AAABAA==\r\n"), std::string::npos);
    EXPECT_EQ(loadedText(text).loadedVersion(), (PersistVersion { 7, 0 }));
}

TEST(GaugePersistence, StreamIsLittleEndianInTheSavedOrder)
{
    GaugeModel model;
    model.reset();
    const QByteArray bytes = savedStream(model);
    // Version 7.0, then an empty caption.
    EXPECT_EQ(bytes.left(8), QByteArray("\x00\x00\x07\x00\x00\x00\x00\x00", 8));
    // The stream ends with the three empty pictures: kind 0 and length 0 each.
    EXPECT_EQ(bytes.right(18), QByteArray(18, '\0'));
    // Then MousePointer just before them, and FillBarColor red before that.
    EXPECT_EQ(bytes.mid(bytes.size() - 24, 6), QByteArray("\xFF\x00\x00\x00\x00\x00", 6));
}

TEST(GaugePersistence, MissingValuesTakeThePersistedDefaults)
{
    const GaugeModel model = loadedText("Version=7.0\r\nMin=5\r\n");
    EXPECT_EQ(model.min(), 5);
    EXPECT_EQ(model.max(), 32767);
    EXPECT_EQ(model.fillValue(), 0);
    EXPECT_EQ(model.fillColor(), 0u);
    EXPECT_EQ(model.fillBarColor(), 0u);
    EXPECT_EQ(model.textColor(), 0u);
    EXPECT_EQ(model.innerTop(), 0);
    EXPECT_FALSE(model.autosize());
    EXPECT_FALSE(model.fontTransparent());
    EXPECT_EQ(static_cast<int>(model.scaleMode()), 0);
    EXPECT_TRUE(model.enabled());
    EXPECT_TRUE(model.picture().isEmpty());
}

TEST(GaugePersistence, LoadStoresValuesTheSettersWouldRefuse)
{
    // The painter copes with these; the load must not drop or fix them.
    const GaugeModel equal = loadedText("Min=5\nMax=5\nFillValue=10\nGaugeStyle=9\nNeedleWidth=-3\n"
                                        "BevelSize=-1\nScaleMode=2\nFontTransparent=-1\n");
    EXPECT_EQ(equal.min(), 5);
    EXPECT_EQ(equal.max(), 5);
    EXPECT_EQ(equal.fillValue(), 10);
    EXPECT_EQ(static_cast<int>(equal.gaugeStyle()), 9);
    EXPECT_EQ(equal.needleWidth(), -3);
    EXPECT_EQ(equal.bevelSize(), -1);
    EXPECT_EQ(static_cast<int>(equal.scaleMode()), 2);

    GaugeModel inverted = loadedStream(savedStream(loadedText("Min=300\nMax=200\nFillValue=-4\n")));
    EXPECT_EQ(inverted.min(), 300);
    EXPECT_EQ(inverted.max(), 200);
    EXPECT_EQ(inverted.fillValue(), -4);

    // Setters on such a gauge still answer sensibly.
    EXPECT_FALSE(inverted.setFillValue(250).ok);
    EXPECT_EQ(inverted.fillValue(), 300);
    EXPECT_TRUE(inverted.setMax(400).ok);
    EXPECT_TRUE(inverted.setFillValue(350).ok);
}

TEST(GaugePersistence, LoadIgnoresUnreadableValues)
{
    const GaugeModel model = loadedText("Version=seven\nMax=abc\nMin=70000\nBevelSize=4x\n"
                                        "Enabled=maybe\nFont.Size=nan\nCaption=\"open\n"
                                        "Picture=1:@@@@\nPictureFill=x\nMouseIcon=77:AAAA\n"
                                        "=5\nnoequals\nmax=12\nFillBarColor=-16777216\n");
    EXPECT_EQ(model.max(), 32767);
    EXPECT_EQ(model.min(), 0);
    EXPECT_EQ(model.bevelSize(), 0);
    EXPECT_TRUE(model.enabled());
    EXPECT_FLOAT_EQ(model.font().size, FontDescription {}.size);
    EXPECT_EQ(model.caption(), "");
    EXPECT_TRUE(model.picture().isEmpty());
    EXPECT_TRUE(model.pictureFill().isEmpty());
    EXPECT_TRUE(model.mouseIcon().isEmpty());
    EXPECT_EQ(model.fillBarColor(), 0xFF000000u);
    EXPECT_EQ(model.loadedVersion(), (PersistVersion { 7, 0 }));
}

TEST(GaugePersistence, TruncatedStreamsLoadWhatTheyHoldAndDefaultTheRest)
{
    const GaugeModel original = changedGauge();
    const QByteArray full = savedStream(original);
    const GaugeModel defaults = persistedDefaults();
    for (qsizetype length = 0; length < full.size(); length += length < 200 ? 1 : 997) {
        const GaugeModel model = loadedStream(full.left(length));
        // A value is either the saved one or the default, never anything else.
        EXPECT_TRUE(model.max() == original.max() || model.max() == defaults.max()) << length;
        EXPECT_TRUE(model.pictureFill() == original.pictureFill() || model.pictureFill().isEmpty());
    }
    const GaugeModel cut = loadedStream(full.left(full.size() - 1));
    EXPECT_EQ(cut.max(), 900);
    EXPECT_EQ(cut.pictureFill(), original.pictureFill());
    EXPECT_TRUE(cut.mouseIcon().isEmpty());
}

TEST(GaugePersistence, HugeLengthsAreNeverAllocated)
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint32(0x00070000) << quint32(0xFFFFFFF0); // a caption of almost 4 GiB
        out.writeRawData("abc", 3);
    }
    const GaugeModel caption = loadedStream(bytes);
    EXPECT_EQ(caption.caption(), "");
    EXPECT_EQ(caption.max(), 32767);

    // A picture longer than any accepted one, followed by real data: skipped, not read.
    GaugeModel model;
    model.reset();
    QByteArray saved = savedStream(model);
    saved.chop(18);
    {
        QDataStream out(&saved, QIODevice::WriteOnly | QIODevice::Append);
        out.setByteOrder(QDataStream::LittleEndian);
        out << qint16(1) << quint32(MaxPictureBytes + 1);
    }
    saved.append(QByteArray(MaxPictureBytes + 1, 'x'));
    saved.append(QByteArray("\x01\x00\x02\x00\x00\x00MZ\x00\x00\x00\x00\x00\x00", 14));
    const GaugeModel skipped = loadedStream(saved);
    EXPECT_TRUE(skipped.picture().isEmpty());
    EXPECT_EQ(skipped.pictureFill(), (Picture { PictureKind::Bitmap, { 'M', 'Z' } }));
    EXPECT_EQ(skipped.max(), 100);
}

TEST(GaugePersistence, WhatTheSettersTakeLoadsBackAtTheLimits)
{
    GaugeModel model;
    EXPECT_FALSE(
        model
            .setPictureFill({ PictureKind::Bitmap, std::vector<std::uint8_t>(MaxPictureBytes + 1) })
            .ok);
    EXPECT_FALSE(model.setCaption(std::string(MaxStringBytes + 1, 'c')).ok);
    EXPECT_TRUE(
        model.setPicture({ PictureKind::Bitmap, std::vector<std::uint8_t>(MaxPictureBytes, 1) })
            .ok);
    EXPECT_TRUE(model.setCaption(std::string(MaxStringBytes, 'c')).ok);
    expectSameState(loadedText(savedText(model)), model);
    expectSameState(loadedStream(savedStream(model)), model);
}

TEST(GaugePersistence, RandomBytesNeverBreakALoad)
{
    std::mt19937 random(12);
    const QByteArray valid = savedStream(changedGauge());
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = valid;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i)
            bytes[static_cast<qsizetype>(random() % bytes.size())] = static_cast<char>(random());
        const GaugeModel model = loadedStream(bytes);
        // Whatever was loaded saves and loads again unchanged.
        StreamPropertyBag again(savedStream(model));
        GaugeModel copy;
        copy.load(again);
        expectSameState(copy, model);
    }
}

TEST(GaugePersistence, ResetIgnoresTheLoadedState)
{
    GaugeModel model = loadedText(savedText(changedGauge()));
    model.reset("Gauge2");
    GaugeModel fresh;
    fresh.reset("Gauge2");
    expectSameState(model, fresh);
}

} // namespace
