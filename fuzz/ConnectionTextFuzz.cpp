// Connection texts: any text either names a database path or is refused with a DatabaseError.
#include <cstdint>
#include <string>

#include "base/Errors.h"
#include "store/platform/ConnectionText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::string path = store::DatabasePathOf(text);
        if (path.empty() || !text.ends_with(path)) __builtin_trap();
    } catch (const base::DatabaseError&) {
    }
    return 0;
}
