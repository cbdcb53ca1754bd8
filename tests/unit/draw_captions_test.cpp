#include "draw/captions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace vintrale {
namespace {

TEST(ElapsedText, ShowsHoursMinutesSecondsWithFullWidthColons) {
    struct Case {
        std::int64_t ms;
        const char* text;
    };
    const Case cases[] = {
        {0, "00：00：00"},
        {100, "00：00：00"},
        {900, "00：00：00"},
        {1000, "00：00：01"},
        {5000, "00：00：05"},
        {59900, "00：00：59"},
        {60000, "00：01：00"},
        {3599900, "00：59：59"},
        {3600000, "01：00：00"},
        {86399900, "23：59：59"},
        {360000000, "100：00：00"},
        {2147483647, "596：31：23"},
        // Past 24.8 days the time keeps counting instead of turning negative.
        {2147483648LL + 1000, "596：31：24"},
        {-100, "00：00：00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(elapsedText(c.ms), c.text) << c.ms;
    }
}

TEST(Captions, BrandingAndTimedCaptionsReadAsThePlayerSeesThem) {
    EXPECT_EQ(std::string(brandingCaption), "Vintrale Harnwick出品-www.harnwick.com");
    EXPECT_EQ(timedCaption(5000), "Vintrale-[00：00：05]");
    EXPECT_EQ(timedCaption(900), "Vintrale-[00：00：00]");
}

} // namespace
} // namespace vintrale
