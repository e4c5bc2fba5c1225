#include "setup/AddressRule.h"

bool HasWebScheme(std::wstring_view address) noexcept {
    // Both schemes are accepted: a web application served over https must be usable, and the
    // sign-in digest should not be forced over an unencrypted connection.
    return address.starts_with(L"http://") || address.starts_with(L"https://");
}
