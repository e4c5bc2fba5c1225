#pragma once
// The address the main window's browser opens at sign-in: the stored base address exactly as
// stored, then the mode's page template with the user name and the password digest put in.
#include <string>
#include <string_view>

// The page templates of the two sign-in modes; each "%s" takes the next argument in order.
inline constexpr std::wstring_view kOrderingPageTemplate = L"/shop/index.aspx?UserName=%s&UserPass=%s";
inline constexpr std::wstring_view kBackOfficePageTemplate = L"/tarvelo.aspx?UserName=%s&UserPass=%s";

// The user name as it goes into the query string: every ASCII character other than letters,
// digits, "-", ".", "_" and "~" becomes "%" and two uppercase hexadecimal digits, so that "&",
// "#", "%", "+", "=" or a blank in a name cannot change the meaning of the address. Characters
// beyond ASCII stay as they are; the browser sends them as the system's code page bytes.
std::wstring EncodeQueryValue(std::wstring_view value);

// baseUrl followed by pageTemplate, whose first "%s" becomes the encoded user name and whose
// second "%s" becomes the digest (32 hexadecimal digits, which need no escaping). Nothing is
// added or removed at the joint: a base address ending in "/" gives two slashes in a row.
std::wstring BuildSignInUrl(std::wstring_view baseUrl, std::wstring_view pageTemplate,
                            std::wstring_view userName, std::string_view digest);
