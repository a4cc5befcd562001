#pragma once

namespace gui {

// The toolkit's cursors act on the drawing context's window.
void LoadToolkitCursors();
void SetHandCursor();
void SetArrowCursor();
void SetWaitCursor();

}  // namespace gui
