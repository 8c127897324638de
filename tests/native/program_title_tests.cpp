#include "about/about_layout.h"
#include "ui/program_title.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramTitle, WritesTheVersionInPlainDecimal) {
    EXPECT_EQ(ProgramTitle(), L"Orvel Quillon 3.10");
    EXPECT_EQ(ProgramTitle(3, 5), L"Orvel Quillon 3.5");
    EXPECT_EQ(ProgramTitle(12, 0), L"Orvel Quillon 12.0");
}

TEST(ProgramTitle, AgreesWithTheVersionResourceText) {
    const std::string text = QUILLON_VERSION_TEXT;
    EXPECT_EQ(ProgramTitle(), L"Orvel Quillon " + std::wstring(text.begin(), text.end()));
}

TEST(MailLinks, NameTheAddressTheirLabelShows) {
    for (auto [address, link] : {std::pair{about_layout::kPrimaryAddress, about_layout::kPrimaryMailLink},
                                 std::pair{about_layout::kSecondaryAddress, about_layout::kSecondaryMailLink}}) {
        EXPECT_EQ(link, L"mailto:" + std::wstring(address) + L"?subject=Scrubwell Support");
        EXPECT_NE(address.find(L".example."), std::wstring_view::npos);
    }
    EXPECT_EQ(about_layout::kControls[ControlId(about_layout::kControls, L"lblMail") - kFirstControlId].text,
              about_layout::kPrimaryAddress);
    EXPECT_EQ(about_layout::kControls[ControlId(about_layout::kControls, L"lblMailS") - kFirstControlId].text,
              about_layout::kSecondaryAddress);
}

} // namespace
