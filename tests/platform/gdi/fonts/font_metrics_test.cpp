#include <gtest/gtest.h>

#include <climits>

#include "gdi/fonts/font.h"

namespace qz370::fonts {
namespace {

TEXTMETRICA metrics_of(Family family, int height, int weight = FW_NORMAL) {
    TEXTMETRICA result;
    metrics(face_for(family, height, weight), &result);
    return result;
}

TEST(FontMetrics, TheGameTextSizesHaveTheirCharacterHeightAsEm) {
    for (int size : {12, 16}) {
        TEXTMETRICA m = metrics_of(Family::Sans, -size);
        EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent) << size;
        EXPECT_EQ(m.tmHeight - m.tmInternalLeading, size) << size;
        EXPECT_GT(m.tmDescent, 0) << size;
        EXPECT_GT(m.tmAveCharWidth, size / 4) << size;
        EXPECT_LT(m.tmAveCharWidth, size) << size;
        EXPECT_GE(m.tmMaxCharWidth, m.tmAveCharWidth) << size;
        EXPECT_EQ(m.tmWeight, FW_NORMAL) << size;
        EXPECT_EQ(m.tmCharSet, ANSI_CHARSET) << size;
    }
    EXPECT_EQ(metrics_of(Family::Sans, -12).tmHeight, 14);
    EXPECT_EQ(metrics_of(Family::Sans, -16).tmHeight, 17);
}

TEST(FontMetrics, PositiveHeightIsTheWholeCell) {
    for (int height : {1, 12, 16, 40}) {
        EXPECT_EQ(metrics_of(Family::Sans, height).tmHeight, height);
        EXPECT_EQ(metrics_of(Family::Mono, height).tmHeight, height);
    }
}

TEST(FontMetrics, HeightZeroGivesEachFamilysDefaultCell) {
    EXPECT_EQ(metrics_of(Family::Sans, 0).tmHeight, 16);
    EXPECT_EQ(metrics_of(Family::System, 0).tmHeight, 16);
    TEXTMETRICA fixed = metrics_of(Family::Mono, 0);
    EXPECT_EQ(fixed.tmHeight, 13);
    EXPECT_GE(fixed.tmAveCharWidth, 6);
    EXPECT_LE(fixed.tmAveCharWidth, 8);
}

TEST(FontMetrics, OnlyTheMonoFaceReportsFixedPitch) {
    // Win32 sets TMPF_FIXED_PITCH for a variable pitch.
    TEXTMETRICA mono = metrics_of(Family::Mono, 0);
    EXPECT_EQ(mono.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_EQ(mono.tmMaxCharWidth, mono.tmAveCharWidth);
    EXPECT_NE(metrics_of(Family::Sans, -12).tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST(FontMetrics, WeightPicksTheBoldFaceAndTheSystemFontIsAlwaysBold) {
    EXPECT_EQ(metrics_of(Family::Sans, -16, 699).tmWeight, FW_NORMAL);
    EXPECT_EQ(metrics_of(Family::Sans, -16, FW_BOLD).tmWeight, FW_BOLD);
    EXPECT_EQ(metrics_of(Family::System, 0, FW_NORMAL).tmWeight, FW_BOLD);
    EXPECT_NE(face_for(Family::Sans, -16, FW_BOLD), face_for(Family::Sans, -16, FW_NORMAL));
}

TEST(FontMetrics, FacesAreCachedPerFamilySizeAndWeight) {
    const Face *face = face_for(Family::Sans, -12, FW_NORMAL);
    EXPECT_EQ(face_for(Family::Sans, -12, 500), face);
    EXPECT_NE(face_for(Family::Sans, 12, FW_NORMAL), face);
    EXPECT_NE(face_for(Family::Mono, -12, FW_NORMAL), face);
}

TEST(FontMetrics, ExtremeHeightsGiveABoundedUsableFace) {
    for (int height : {INT_MIN, INT_MAX, -100000}) {
        TEXTMETRICA m = metrics_of(Family::Sans, height);
        EXPECT_GT(m.tmHeight, 0) << height;
        EXPECT_LE(m.tmHeight, 2048) << height;
    }
}

}  // namespace
}  // namespace qz370::fonts
