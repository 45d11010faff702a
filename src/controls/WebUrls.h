// The addresses the web panels load: the "Rand=" suffix that defeats every
// cache, the login string and its "{Login}" placeholder, the size a page asks
// for with "obwindow=", and the last step before an address is fetched.
#pragma once

#include <cstdint>
#include <string>

// The URL with "Rand=" and the number appended, after "&" when it already
// has a query part ("?"), otherwise after "?"; a URL that already holds
// "Rand=" is returned unchanged.
std::string WithRand(const std::string& url, uint32_t random);

// "User=" + alias + "&Password=" + password + "&Language=" + language, the
// alias and the password URL-encoded (UrlEncode).
std::string LoginString(const std::string& alias, const std::string& password, const std::string& language);
// Every "{Login}" replaced by the login string.
std::string FillLogin(const std::string& url, const std::string& login);

// The "obwindow=" value of a URL (the name compared without case): width
// "," height up to the next "&". True only when both are numbers above 0.
bool ObwindowSize(const std::string& url, int& width, int& height);

// Bytes an address may not carry as they are (blanks, control bytes and
// bytes above 0x7E) written as "%" and two hexadecimal digits, so that an
// alias such as "Søren" reaches the server byte for byte.
std::string FetchableForm(const std::string& url);
