#pragma once
// Blocking HTTP GET against the maker's web host (version query).
//
// The request is HTTP/1.0 with a fixed user agent and Accept header; no
// cookies are kept, redirects are not followed, no proxy is used. Any
// transport failure, time-out or answer outside 2xx is a failure the caller
// sees. The default client uses libcurl; tests may install their own.

#include <string>

// Request headers sent with every GET.
inline constexpr const char* Http_User_Agent = "Mozilla/3.0 (compatible; Indy Library)";
inline constexpr const char* Http_Accept =
    "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

struct THttpSettings {
    // Scheme and host (and port) of the maker's web host, no trailing slash.
    std::string BaseURL = "http://www.example.com";
    // Time allowed to establish the connection, and for the whole request.
    long ConnectTimeoutMs = 10000;
    long TotalTimeoutMs = 30000;
    // Larger answers are refused: the version service answers a few bytes.
    size_t MaxBodyBytes = 1 << 20;
};

// The settings in force (read at each request; tests change them).
THttpSettings& HttpSettings();

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // GET of url. True with the answer body (bytes taken as UTF-8 text) on a
    // 2xx answer; false on any failure, with a short reason in error.
    virtual bool Get(const std::string& url, std::string& body, std::string& error) = 0;
};

// GET of HttpSettings().BaseURL + pathAndQuery through the installed client.
// On failure body is empty and, when error is given, it holds the reason.
bool HttpGet(const std::string& pathAndQuery, std::string& body, std::string* error = nullptr);

// Installs a client (nullptr restores the libcurl one). Returns the previous one.
IHttpClient* SetHttpClient(IHttpClient* client);

// Percent-encoding of a query value (unreserved characters stay as they are).
std::string UrlEncode(const std::string& value);
