// Any page: no crash, a known status, every field a piece of the page.
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "lookup/extract.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string page(reinterpret_cast<const char*>(data), size);
    const lookup::LookupResult r = lookup::extract_current_row(page);
    const bool current = r.status == lookup::status_current();
    FUZZ_CHECK(current || r.status == lookup::status_not_found());
    for (const std::string* field :
         {&r.detail_ref, &r.number, &r.title, &r.publish_date, &r.publisher}) {
        FUZZ_CHECK(page.find(*field) != std::string::npos);
        if (!current) FUZZ_CHECK(field->empty());
    }
    return 0;
}
