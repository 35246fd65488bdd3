#pragma once

// What the program and its network module say to each other: the module
// (field_module.cpp, with Qt Network and libqrencode, loaded when serving
// starts) takes connections and requests within its limits and hands each
// well-formed GET or HEAD to the site, which answers now or later.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orlo::field {

struct HttpRequest {
    std::string target; // as sent: "/standings.json?since=4"
    std::string host;   // the Host header, as sent; empty when none
    std::string peer;   // the client's address
};

struct HttpReply {
    int status = 200;
    std::string type; // Content-Type
    std::string body;
};

// Called at most once; calling it after the client went is harmless.
using HttpRespond = std::function<void(HttpReply)>;

class HttpSite {
public:
    virtual ~HttpSite() = default;
    virtual void answer(const HttpRequest &request, HttpRespond respond) = 0;
};

struct HttpLimits {
    int connections = 256;         // one more is answered 503 and closed
    std::size_t headBytes = 8192;  // a longer request head is answered 431
    int requestMs = 10000;         // a connection without a whole request in this time is dropped
};

// The listening end, made by the module; stops listening when destroyed.
class HttpServing {
public:
    virtual ~HttpServing() = default;
    // Listens on the address ("" or "0.0.0.0" for every IPv4 address) and
    // port (0: one the system picks); says why not, or nothing.
    virtual std::string listen(const std::string &address, int port) = 0;
    virtual int port() const = 0;
    // Every IPv4 address the clients may type, the machine's own before
    // the loopback address; only the address listened on when one was given.
    virtual std::vector<std::string> addresses() const = 0;
};

// The module's entries, looked up by name.
using MakeHttpServing = HttpServing *(HttpSite *site, const HttpLimits &limits);
// A QR code of the text: its width in modules, and the modules row by row.
using MakeQrCode = int(const char *text, std::vector<bool> *modules);

} // namespace orlo::field
