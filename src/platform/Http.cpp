#include "platform/Http.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

struct Sink {
    std::string* body;
    size_t limit;
    bool overflow = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    if (sink->body->size() + n > sink->limit) {
        sink->overflow = true;
        return 0;  // makes the transfer fail with CURLE_WRITE_ERROR
    }
    sink->body->append(data, n);
    return n;
}

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CurlHttpClient : public IHttpClient {
public:
    bool Get(const std::string& url, std::string& body, std::string& error) override
    {
        body.clear();
        error.clear();
        GlobalInit();
        const THttpSettings settings = HttpSettings();

        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
        if (!curl) {
            error = "HTTP client could not be created";
            return false;
        }
        const std::string accept = std::string("Accept: ") + Http_Accept;
        std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
            curl_slist_append(nullptr, accept.c_str()), &curl_slist_free_all);
        if (!headers) {
            error = "HTTP headers could not be built";
            return false;
        }

        Sink sink{&body, settings.MaxBodyBytes};
        char errbuf[CURL_ERROR_SIZE] = {};
        CURL* h = curl.get();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
        curl_easy_setopt(h, CURLOPT_USERAGENT, Http_User_Agent);
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(h, CURLOPT_PROXY, "");  // never take a proxy from the environment
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, settings.ConnectTimeoutMs);
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, settings.TotalTimeoutMs);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &WriteBody);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errbuf);

        const CURLcode rc = curl_easy_perform(h);
        if (rc != CURLE_OK) {
            body.clear();
            if (sink.overflow)
                error = "answer too large";
            else
                error = errbuf[0] ? errbuf : curl_easy_strerror(rc);
            return false;
        }
        long status = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        if (status < 200 || status > 299) {
            body.clear();
            error = "HTTP status " + std::to_string(status);
            return false;
        }
        return true;
    }
};

CurlHttpClient g_curl;
IHttpClient* g_client = &g_curl;

} // namespace

THttpSettings& HttpSettings()
{
    static THttpSettings settings;
    return settings;
}

bool HttpGet(const std::string& pathAndQuery, std::string& body, std::string* error)
{
    std::string reason;
    const bool ok = g_client->Get(HttpSettings().BaseURL + pathAndQuery, body, reason);
    if (!ok) body.clear();
    if (error) *error = reason;
    return ok;
}

IHttpClient* SetHttpClient(IHttpClient* client)
{
    IHttpClient* old = g_client;
    g_client = client ? client : &g_curl;
    return old;
}

std::string UrlEncode(const std::string& value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string r;
    for (unsigned char c : value) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '_' || c == '.' || c == '~') {
            r += static_cast<char>(c);
        } else {
            r += '%';
            r += hex[c >> 4];
            r += hex[c & 15];
        }
    }
    return r;
}
