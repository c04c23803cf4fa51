#pragma once

#include <QString>

#include <functional>
#include <utility>
#include <vector>

// A before-event handler refuses the operation through this, with a message for the
// caller (an empty message cancels silently, as a declined confirmation does).
class Veto {
public:
    void Refuse(const QString& message = QString()) {
        refused_ = true;
        message_ = message;
    }
    bool Refused() const { return refused_; }
    const QString& Message() const { return message_; }

private:
    bool refused_ = false;
    QString message_;
};

// A list of handlers called in the order they were added. Add returns an id for Remove.
template <typename... Args>
class DatasetEvent {
public:
    using Handler = std::function<void(Args...)>;

    int Add(Handler handler) {
        handlers_.emplace_back(++lastId_, std::move(handler));
        return lastId_;
    }
    void Remove(int id) {
        std::erase_if(handlers_, [id](const auto& h) { return h.first == id; });
    }
    bool Empty() const { return handlers_.empty(); }

    void Fire(Args... args) const {
        if (handlers_.empty()) return;
        const auto copy = handlers_;  // a handler may add or remove handlers
        for (const auto& h : copy) h.second(args...);
    }

private:
    std::vector<std::pair<int, Handler>> handlers_;
    int lastId_ = 0;
};

class Dataset;

// A before-event: handlers run in order until one refuses.
class DatasetVetoEvent {
public:
    using Handler = std::function<void(Dataset&, Veto&)>;

    int Add(Handler handler) {
        handlers_.emplace_back(++lastId_, std::move(handler));
        return lastId_;
    }
    void Remove(int id) {
        std::erase_if(handlers_, [id](const auto& h) { return h.first == id; });
    }

    // False when a handler refused; its message is in `message`.
    bool Allow(Dataset& dataset, QString& message) const {
        if (handlers_.empty()) return true;
        const auto copy = handlers_;
        for (const auto& h : copy) {
            Veto veto;
            h.second(dataset, veto);
            if (veto.Refused()) {
                message = veto.Message();
                return false;
            }
        }
        return true;
    }

private:
    std::vector<std::pair<int, Handler>> handlers_;
    int lastId_ = 0;
};
