// Optional reports of the skin reader and loader, for tools that check a
// skin. The plug-in installs none: then nothing is reported and the load
// errors are message boxes, as users see them.
#pragma once

enum SkinLineProblem {
    LINE_UNKNOWN_SECTION,  // a section header the reader does not know; its keys are ignored
    LINE_IN_UNKNOWN_SECTION,  // a key line under such a header, or before any header
    LINE_UNKNOWN_KEY,      // a key its section does not know
    LINE_NO_EQUALS,        // a key line without "="
    LINE_EMPTY_KEY,        // "=" comes first
    LINE_EMPTY_VALUE,      // nothing after "="
    LINE_BAD_COLOUR,       // a colour that is not six characters
    LINE_BAD_WORD,         // a word value that is not one of the allowed words
    LINE_VALUE_CUT,        // read, but cut to its field's size
    LINE_PAST_LIMIT,       // the file goes on past the bytes that are read
};

struct SkinDiagnostics {
    // A line of the definition file (counted from 1) that the reader ignored
    // or cut; `detail` is the section, key or value concerned. For a key in
    // an unknown section, `currentSectionLine` names the header's line.
    void (*lineIgnored)(int line, SkinLineProblem problem, const char* detail);
    // A load error that the plug-in shows as a message box.
    void (*loadError)(const char* text);
};

// Null in the plug-in; a tool that checks a skin installs its reports here
// while it reads, and passes null afterwards.
extern const SkinDiagnostics* skinDiagnostics;
void useSkinDiagnostics(const SkinDiagnostics* reports);

// The skin's error as a message box captioned "Zinglet", or to the hook.
void reportSkinError(const char* text);
