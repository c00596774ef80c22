// The font native group 20: measuring text. A font operand whose cell holds no font
// answers 0. Functions with a range measure part of the string; without one, all of it.
#include "FontOperands.h"
#include "NativeGroups.h"

namespace {

template <TInt32 (CAppsFont::*metric)() const> void fontMetric(NativeCall& call, TInt32) {
    const CAppsFont* font = fontOperand(call);
    call.answer(font ? static_cast<TUint32>((font->*metric)()) : 0);
}

void stringWidth(NativeCall& call, TInt32 hasRange) {
    const TextRun run = textOperand(call, hasRange);
    const CAppsFont* font = fontOperand(call);
    call.answer(font ? static_cast<TUint32>(font->stringWidth(run.text, run.first, run.length))
                     : 0);
}

void fittingCharacters(NativeCall& call, TInt32 hasRange) {
    const TInt32 maximum = call.integer();
    const TextRun run = textOperand(call, hasRange);
    const CAppsFont* font = fontOperand(call);
    call.answer(font ? static_cast<TUint32>(
                           font->fittingCharacters(run.text, run.first, run.length, maximum))
                     : 0);
}

constexpr NativeFunction kFunctions[] = {
    {2, "height", fontMetric<&CAppsFont::height>},
    {3, "ascent", fontMetric<&CAppsFont::ascent>},
    {4, "stringWidth", stringWidth, false},
    {5, "substringWidth", stringWidth, true},
    {6, "fittingCharacters", fittingCharacters, false},
    {7, "fittingCharactersOfRange", fittingCharacters, true},
};

} // namespace

constinit const NativeTable kFontNatives{kFunctions};
