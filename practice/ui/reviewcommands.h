#pragma once

// The Tools commands over finished tests and learners, after the original's items.
namespace practice {

enum : unsigned {
    ID_TOOLS_REVIEWTEST = 32850,
    ID_TOOLS_PRACTISEMISSED = 32851,
    ID_TOOLS_LEARNER = 32852,
    ID_TOOLS_HISTORY = 32853,
};

}  // namespace practice
