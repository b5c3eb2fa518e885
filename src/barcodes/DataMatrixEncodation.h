#pragma once

#include <optional>
#include <string>
#include <string_view>

// Letters of the encodation schemes, in the order of the switch cost table:
// ASCII, C40, Text, X12, EDIFACT, Base 256.
inline constexpr std::string_view encchr = "ACTXEB";

// Longest text a plan is made for: 3116 digits fill the largest symbol.
inline constexpr int dataMatrixMaxPlanLength = 3116;

struct DataMatrixPlan {
    std::string encoding; // one scheme letter per source byte
    int codewords = 0;    // data codewords the plan is expected to take
};

// The cheapest encodation of the source by a cost table worked from the end of the text.
// In exact mode the costs assume that the symbol ends where the data does (implicit return
// to ASCII, a padded last C40 or Text triple). No plan for more than the longest text.
std::optional<DataMatrixPlan> encmake(std::string_view source, bool exact);
