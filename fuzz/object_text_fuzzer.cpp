// Feeds arbitrary text to the object-text reader. The reader may reject it with an Exception but
// must never crash, hang or exhaust the stack; whatever it accepts must survive the round trip
// text -> model -> text -> model -> text unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SampleModel.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"

namespace {

using quillon::test::TSampleModel;

[[noreturn]] void Mismatch(const std::string& first, const std::string& second) {
    std::fprintf(stderr, "round trip differs:\n--- first\n%s\n--- second\n%s\n", first.c_str(), second.c_str());
    std::abort();
}

void CheckRoundTrip(const TSampleModel& model) {
    const std::string first = quillon::ObjectToText(model);
    TSampleModel copy;
    try {
        quillon::ObjectFromText(first, copy);
    } catch (const quillon::Exception& e) {
        std::fprintf(stderr, "written text not readable: %s\n", e.what());
        Mismatch(first, "");
    }
    const std::string second = quillon::ObjectToText(copy);
    if (first != second) Mismatch(first, second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        TSampleModel model;
        try {
            quillon::ObjectFromText(text, model);
        } catch (const quillon::Exception&) {
            // A rejected text must leave the model as it was constructed.
            const std::string fresh = quillon::ObjectToText(TSampleModel());
            if (quillon::ObjectToText(model) != fresh) Mismatch(fresh, quillon::ObjectToText(model));
            return 0;
        }
        CheckRoundTrip(model);
    }
    {
        TSampleModel model;
        std::string options;
        try {
            quillon::ReadModelText(model, text, "MIF", options);
        } catch (const quillon::Exception&) {
            return 0;
        }
        CheckRoundTrip(model);
    }
    return 0;
}
