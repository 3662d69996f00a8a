#include "agent/service/connection.h"

#include <asio/read.hpp>
#include <asio/write.hpp>

namespace dayweave::agent {

namespace {

// "60 s", or "250 ms" for a limit that is not whole seconds.
std::string Duration(std::chrono::milliseconds limit) {
  const auto count = limit.count();
  return count % 1000 == 0 ? std::to_string(count / 1000) + " s" : std::to_string(count) + " ms";
}

}  // namespace

Connection::Connection(asio::ip::tcp::socket socket, std::string peer, const Context& context)
    : socket_(std::move(socket)),
      idle_(socket_.get_executor()),
      peer_(std::move(peer)),
      context_(context),
      reader_(context.mostMessageBytes) {}

void Connection::Start() {
  if (context_.log) context_.log(peer_ + ": connection opened");
  std::error_code ignored;
  socket_.set_option(asio::ip::tcp::no_delay(true), ignored);
  lastTraffic_ = std::chrono::steady_clock::now();
  WaitIdle();
  Read();
}

void Connection::Stop() {
  stopping_ = true;
  if (!writing_) Close("the service stops");
}

void Connection::Read() {
  socket_.async_read_some(
      asio::buffer(input_),
      [self = shared_from_this()](const std::error_code& error, std::size_t size) {
        self->OnRead(error, size);
      });
}

void Connection::OnRead(const std::error_code& error, std::size_t size) {
  if (closed_) return;
  if (error) {
    Close(error == asio::error::eof ? "the peer closed it" : error.message());
    return;
  }
  lastTraffic_ = std::chrono::steady_clock::now();
  if (draining_) {
    Read();
    return;
  }
  messages_.clear();
  answered_ = 0;
  fault_ = reader_.Read(std::string_view(input_.data(), size), messages_);
  Answer();
}

void Connection::Answer() {
  while (answered_ < messages_.size() && output_.size() < kMostOutputBytes) {
    Reply reply = context_.responder.Respond(std::move(messages_[answered_++]));
    if (!reply.fault.empty() && context_.log) context_.log(peer_ + ": fault: " + reply.fault);
    output_ += reply.text;
    output_ += '\n';
  }
  if (answered_ == messages_.size() && fault_ && !refused_) {
    if (context_.log) context_.log(peer_ + ": fault: " + *fault_);
    output_ += context_.responder.Refusal(*fault_);
    output_ += '\n';
    refused_ = true;
  }
  if (output_.empty()) {
    Read();
  } else {
    Write();
  }
}

void Connection::Write() {
  writing_ = true;
  asio::async_write(socket_, asio::buffer(output_),
                    [self = shared_from_this()](const std::error_code& error, std::size_t) {
                      self->OnWritten(error);
                    });
}

void Connection::OnWritten(const std::error_code& error) {
  writing_ = false;
  if (closed_) return;
  if (error) {
    Close(error.message());
    return;
  }
  lastTraffic_ = std::chrono::steady_clock::now();
  output_.clear();
  if (answered_ < messages_.size()) {
    Answer();  // the rest of the questions of the last read, even when the service stops
  } else if (stopping_) {
    Close("the service stops");
  } else if (refused_) {
    // The peer may still be sending: closing with its text unread would reset the connection
    // and could destroy the error reply before the peer reads it. Read until it closes.
    std::error_code ignored;
    socket_.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    draining_ = true;
    Read();
  } else {
    Read();
  }
}

void Connection::WaitIdle() {
  idle_.expires_at(lastTraffic_ + context_.idleLimit);
  idle_.async_wait([self = shared_from_this()](const std::error_code& error) {
    if (error || self->closed_) return;
    if (std::chrono::steady_clock::now() - self->lastTraffic_ < self->context_.idleLimit) {
      self->WaitIdle();
      return;
    }
    if (self->context_.log) {
      self->context_.log(self->peer_ + ": fault: idle for " + Duration(self->context_.idleLimit));
    }
    self->Close("idle");
  });
}

void Connection::Close(const std::string& why) {
  if (closed_) return;
  closed_ = true;
  std::error_code ignored;
  socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  socket_.close(ignored);
  idle_.cancel();
  if (context_.log) context_.log(peer_ + ": connection closed (" + why + ")");
  context_.closed(this);
}

}  // namespace dayweave::agent
