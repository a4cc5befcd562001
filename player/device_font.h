#pragma once

#include <memory>
#include <string>

namespace player {

class CKV_FontCharacter;

// A font installed on the system, as a text field without embedded outlines shows it: the
// glyphs of the Windows-1252 codes on a 1024-unit em square, with their advances and the
// face's ascent and descent. The generic names "_sans", "_serif" and "_typewriter" stand for
// Arial, Times New Roman and Courier New. The fonts last asked for are kept for the process;
// null when no font is installed at all.
std::shared_ptr<const CKV_FontCharacter> DeviceFont(const std::string& name, bool bold,
                                                    bool italic);

}  // namespace player
