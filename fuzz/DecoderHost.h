// The host of the decoder targets: every application file holds the fuzzer's bytes, and
// bitmaps and fonts are this host's own, made by Qt on its offscreen platform. An input
// is decoded within a memory budget, as an application's files are.
#pragma once

#include "BudgetScope.h"
#include "MachineTesting.h"
#include "QtCanvasService.h"
#include "QtFontService.h"

#include <span>
#include <vector>

class DecoderHost : public QuietServices {
public:
    // The budget of one input: a picture of up to about four million pixels.
    static constexpr TUint64 kMemoryBudget = TUint64{16} << 20;

    explicit DecoderHost(std::span<const TUint8> fileBytes);

    std::unique_ptr<KESTRO::InputStream> openInputFile(const OString&) override;
    // The services, with Qt's bitmaps and fonts.
    HostServices qtServices();

    // Runs what an application's native call does with the file. The errors an
    // application sees end it quietly: an application error, and the budget's
    // std::bad_alloc, which the machine raises as an exception. Anything else reaches the
    // fuzzer.
    template <class Use> void decode(Use&& use) {
        try {
            use(qtServices());
        } catch (const ErrorHandlingException&) {
            clearLastError();
        } catch (const std::bad_alloc&) {
        }
    }

private:
    // Makes Qt's application object, once for the process, before the services need it.
    struct QtStart {
        QtStart();
    } qtStart;
    std::vector<TUint8> file;
    QtCanvasService canvases;
    QtFontService fonts;
    BudgetScope budget;
};
