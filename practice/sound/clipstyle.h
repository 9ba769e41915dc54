#pragma once

namespace practice::sound {

// The player window's style flags, with their original values. Apart from the
// player so its window reads them without including the player that makes it.
enum : unsigned {
    MCIWNDF_NOPLAYBAR = 0x0002,
    MCIWNDF_NOMENU = 0x0008,
    MCIWNDF_SHOWNAME = 0x0010,
    MCIWNDF_RECORD = 0x2000,
};

}  // namespace practice::sound
