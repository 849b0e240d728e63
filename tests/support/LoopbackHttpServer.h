#pragma once
// A small HTTP server on 127.0.0.1 for the tests of the HTTP client and the
// version query. It records the head of every request (request line and
// headers) and answers each with what the handler returns: raw bytes that
// are written and followed by closing the connection, or silence (the
// connection is held open unanswered until the server stops).

#include <asio.hpp>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    struct Reply {
        std::string raw;      // bytes sent back as they are
        bool silent = false;  // accept and read, never answer
    };
    using Handler = std::function<Reply(const std::string& requestHead)>;

    static Reply Answer(int status, const std::string& body, const std::string& extraHeaders = "")
    {
        return {"HTTP/1.0 " + std::to_string(status) + " X\r\nContent-Type: text/html\r\n" + extraHeaders +
                    "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
                false};
    }
    static Reply Silence() { return {"", true}; }

    explicit LoopbackHttpServer(Handler handler)
        : handler_(std::move(handler)),
          acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0))
    {
        Accept();
        thread_ = std::thread([this] { io_.run(); });
    }

    ~LoopbackHttpServer()
    {
        asio::post(io_, [this] {
            asio::error_code ec;
            acceptor_.close(ec);
            for (auto& s : held_) s->close(ec);
            io_.stop();
        });
        thread_.join();
    }

    unsigned short Port() const { return acceptor_.local_endpoint().port(); }
    std::string BaseURL() const { return "http://127.0.0.1:" + std::to_string(Port()); }

    std::vector<std::string> Requests() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    struct Connection {
        explicit Connection(asio::io_context& io) : socket(io) {}
        asio::ip::tcp::socket socket;
        asio::streambuf buffer;
        std::string reply;
    };

    void Accept()
    {
        auto conn = std::make_shared<Connection>(io_);
        acceptor_.async_accept(conn->socket, [this, conn](const asio::error_code& ec) {
            if (ec) return;
            Read(conn);
            Accept();
        });
    }

    void Read(const std::shared_ptr<Connection>& conn)
    {
        asio::async_read_until(conn->socket, conn->buffer, "\r\n\r\n",
                               [this, conn](const asio::error_code& ec, size_t n) {
                                   if (ec) return;
                                   std::string head(asio::buffers_begin(conn->buffer.data()),
                                                    asio::buffers_begin(conn->buffer.data()) +
                                                        static_cast<std::ptrdiff_t>(n));
                                   {
                                       std::lock_guard<std::mutex> lock(mutex_);
                                       requests_.push_back(head);
                                   }
                                   Reply reply = handler_(head);
                                   if (reply.silent) {
                                       held_.push_back(std::shared_ptr<asio::ip::tcp::socket>(
                                           conn, &conn->socket));
                                       return;
                                   }
                                   conn->reply = std::move(reply.raw);
                                   asio::async_write(conn->socket, asio::buffer(conn->reply),
                                                     [conn](const asio::error_code&, size_t) {
                                                         asio::error_code ignored;
                                                         conn->socket.shutdown(
                                                             asio::ip::tcp::socket::shutdown_both, ignored);
                                                         conn->socket.close(ignored);
                                                     });
                               });
    }

    Handler handler_;
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    std::vector<std::shared_ptr<asio::ip::tcp::socket>> held_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
