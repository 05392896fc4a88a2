#pragma once

namespace ui::controls {

// Loads riched20.dll, which registers the "RichEdit20W" class, and keeps it loaded for the
// life of the process. Later calls do nothing; a failure throws err::SystemException.
void loadRichEditLibrary();

}  // namespace ui::controls
