// A local HTTP server for the HTTP client's tests: tests/support/http-server.py (its
// documentation lists the paths it answers) on 127.0.0.1, a port of the system's choosing,
// plain or, given a certificate and key, HTTPS. The constructor starts it and waits until it
// listens; the destructor stops it by its process id and reaps it. The server also ends by
// itself after five minutes, should this process die first.
// Threading and ownership: one thread at a time; the object owns the server process.
// Failures throw std::runtime_error.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

namespace TestSupport {

class LocalHttpServer {
public:
    struct Tls {
        std::string certificateFile;  // the server's certificate followed by its chain (PEM)
        std::string keyFile;
    };

    explicit LocalHttpServer(std::optional<Tls> tls = std::nullopt,
        std::chrono::milliseconds startTimeout = std::chrono::seconds(20));
    ~LocalHttpServer();

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    unsigned short Port() const;
    // http(s)://HOST:PORT followed by `path` ("/hello?n=1"); HOST is 127.0.0.1 unless given.
    std::string Url(const std::string& path, const std::string& host = "127.0.0.1") const;

private:
    void Stop();

    bool secure_;
    pid_t pid_ = -1;
    int output_ = -1;
    unsigned short port_ = 0;
};

}  // namespace TestSupport
