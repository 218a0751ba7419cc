#include "transfer/X11Selection.h"

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {
constexpr int MaxTargets = 256;
// How often a wait looks at the cancel flag.
constexpr int SliceMs = 50;

// Replies and events come from malloc.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Freed = std::unique_ptr<T, FreeDeleter>;
} // namespace

struct X11Selection::Impl {
    xcb_connection_t* c = nullptr;
    xcb_window_t window = 0;
    Deadline deadline;
    const std::atomic<bool>* cancelled = nullptr;
    std::map<QByteArray, xcb_atom_t> atoms;
    // Events read while waiting for something else, in order.
    std::vector<xcb_generic_event_t*> pending;

    ~Impl()
    {
        for (auto* e : pending)
            std::free(e);
        if (c)
            xcb_disconnect(c);
    }

    bool Expired() const
    {
        return std::chrono::steady_clock::now() >= deadline || (cancelled && cancelled->load());
    }

    // Waits until the connection has something to read, for one slice at
    // most; false once the time is up or the connection is broken.
    bool WaitReadable()
    {
        if (Expired() || xcb_connection_has_error(c))
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, int(std::clamp<long long>(left.count(), 0, SliceMs)));
        return !xcb_connection_has_error(c);
    }

    // The reply to a request, waited for within the deadline.
    template <class Reply>
    Freed<Reply> Wait(unsigned int sequence)
    {
        xcb_flush(c);
        for (;;) {
            void* reply = nullptr;
            xcb_generic_error_t* error = nullptr;
            if (xcb_poll_for_reply(c, sequence, &reply, &error)) {
                std::free(error);
                return Freed<Reply>(static_cast<Reply*>(reply));
            }
            if (!WaitReadable())
                return {};
        }
    }

    // The next event that `match` accepts; others are kept for later.
    template <class Match>
    Freed<xcb_generic_event_t> WaitEvent(Match match)
    {
        xcb_flush(c);
        for (;;) {
            for (auto it = pending.begin(); it != pending.end(); ++it)
                if (match(*it)) {
                    Freed<xcb_generic_event_t> e(*it);
                    pending.erase(it);
                    return e;
                }
            while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
                if (pending.size() > 4096) { // nobody sends us that many: drop the oldest
                    std::free(pending.front());
                    pending.erase(pending.begin());
                }
                pending.push_back(e);
            }
            if (std::any_of(pending.begin(), pending.end(), match))
                continue;
            if (!WaitReadable())
                return {};
        }
    }

    void DropPropertyEvents(xcb_atom_t property)
    {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            pending.push_back(e);
        std::erase_if(pending, [&](xcb_generic_event_t* e) {
            const bool drop = (e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                              reinterpret_cast<xcb_property_notify_event_t*>(e)->atom == property;
            if (drop)
                std::free(e);
            return drop;
        });
    }

    xcb_atom_t Atom(const QByteArray& name)
    {
        if (const auto it = atoms.find(name); it != atoms.end())
            return it->second;
        const auto cookie = xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData());
        const auto reply = Wait<xcb_intern_atom_reply_t>(cookie.sequence);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        if (atom != XCB_ATOM_NONE)
            atoms[name] = atom;
        return atom;
    }

    // Asks the owner to put `target` into our property; true once it has.
    bool Convert(xcb_atom_t target, xcb_atom_t property)
    {
        const xcb_atom_t clipboard = Atom("CLIPBOARD");
        if (clipboard == XCB_ATOM_NONE || target == XCB_ATOM_NONE)
            return false;
        xcb_delete_property(c, window, property);
        xcb_convert_selection(c, window, clipboard, target, property, XCB_CURRENT_TIME);
        const auto e = WaitEvent([this, target](xcb_generic_event_t* e) {
            if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY)
                return false;
            const auto* n = reinterpret_cast<xcb_selection_notify_event_t*>(e);
            return n->requestor == window && n->target == target;
        });
        return e && reinterpret_cast<xcb_selection_notify_event_t*>(e.get())->property == property;
    }

    Freed<xcb_get_property_reply_t> Property(xcb_atom_t property, bool remove, uint32_t words)
    {
        const auto cookie = xcb_get_property(c, remove, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words);
        return Wait<xcb_get_property_reply_t>(cookie.sequence);
    }

    static QByteArray Value(const xcb_get_property_reply_t* r)
    {
        const int units = xcb_get_property_value_length(r);
        return QByteArray(static_cast<const char*>(xcb_get_property_value(r)), units);
    }
};

X11Selection::X11Selection(std::unique_ptr<Impl> impl) : d_(std::move(impl)) {}
X11Selection::~X11Selection() = default;

std::unique_ptr<X11Selection> X11Selection::Open(Deadline deadline, const std::atomic<bool>* cancelled)
{
    auto d = std::make_unique<Impl>();
    d->deadline = deadline;
    d->cancelled = cancelled;
    int screenNumber = 0;
    d->c = xcb_connect(nullptr, &screenNumber);
    if (!d->c || xcb_connection_has_error(d->c))
        return nullptr;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(d->c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return nullptr;
    const xcb_screen_t* screen = it.data;
    d->window = xcb_generate_id(d->c);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(d->c, XCB_COPY_FROM_PARENT, d->window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, XCB_CW_EVENT_MASK, &events);
    return std::unique_ptr<X11Selection>(new X11Selection(std::move(d)));
}

std::optional<QStringList> X11Selection::Targets()
{
    const xcb_atom_t property = d_->Atom("PIKSELAR_CLIPBOARD");
    if (!d_->Convert(d_->Atom("TARGETS"), property))
        return std::nullopt;
    const auto reply = d_->Property(property, true, MaxTargets);
    if (!reply || reply->format != 32)
        return std::nullopt;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = std::min(xcb_get_property_value_length(reply.get()) / 4, MaxTargets);
    // All names asked at once, then the answers collected.
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (int i = 0; i < count; ++i)
        cookies.push_back(xcb_get_atom_name(d_->c, atoms[i]));
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const auto name = d_->Wait<xcb_get_atom_name_reply_t>(cookies[std::size_t(i)].sequence);
        if (!name)
            continue;
        const QString text = QString::fromLatin1(xcb_get_atom_name_name(name.get()), xcb_get_atom_name_name_length(name.get()));
        d_->atoms[text.toLatin1()] = atoms[i];
        if (text != QLatin1String("TARGETS") && !names.contains(text))
            names << text;
    }
    return names;
}

std::optional<QByteArray> X11Selection::Fetch(const QString& type, qsizetype limit, bool cut)
{
    const xcb_atom_t property = d_->Atom("PIKSELAR_CLIPBOARD");
    if (!d_->Convert(d_->Atom(type.toLatin1()), property))
        return std::nullopt;
    // The size first, without the data.
    const auto head = d_->Property(property, false, 0);
    if (!head)
        return std::nullopt;
    const xcb_atom_t incr = d_->Atom("INCR");
    if (head->type != incr) {
        const qsizetype size = head->bytes_after;
        if (size > limit && !cut) {
            xcb_delete_property(d_->c, d_->window, property);
            xcb_flush(d_->c);
            return std::nullopt;
        }
        const auto whole = d_->Property(property, true, uint32_t((std::min(size, limit) + 3) / 4));
        if (!whole)
            return std::nullopt;
        return Impl::Value(whole.get()).left(limit);
    }
    // Incremental: the property holds a lower bound of the size; deleting
    // it asks for the first part, and an empty part ends the data. The
    // owner's writing of that property was seen already: forgotten, so that
    // only the parts count.
    d_->DropPropertyEvents(property);
    const auto announced = d_->Property(property, true, 1);
    if (!announced)
        return std::nullopt;
    const QByteArray bound = Impl::Value(announced.get());
    if (bound.size() == 4 && qsizetype(*reinterpret_cast<const uint32_t*>(bound.constData())) > limit && !cut)
        return std::nullopt;
    xcb_flush(d_->c);
    // The parts are kept as they come and joined once at the end: growing
    // one array part by part would hold two copies of it at times.
    std::vector<QByteArray> parts;
    qsizetype size = 0;
    const auto joined = [&](qsizetype length) {
        QByteArray data;
        data.reserve(length);
        for (const QByteArray& part : parts) {
            data += part.left(length - data.size());
            if (data.size() >= length)
                break;
        }
        return data;
    };
    for (;;) {
        const auto e = d_->WaitEvent([this, property](xcb_generic_event_t* e) {
            if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto* n = reinterpret_cast<xcb_property_notify_event_t*>(e);
            return n->window == d_->window && n->atom == property && n->state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!e)
            return std::nullopt;
        const auto part = d_->Property(property, true, uint32_t(std::min<qsizetype>(limit - size + 4, 1 << 24) / 4 + 1));
        if (!part)
            return std::nullopt;
        QByteArray bytes = Impl::Value(part.get());
        if (bytes.isEmpty() && part->bytes_after == 0)
            return joined(size);
        size += bytes.size();
        parts.push_back(std::move(bytes));
        if (size > limit || part->bytes_after > 0) {
            if (!cut)
                return std::nullopt;
            // Enough has come: the owner is left to give up on its own.
            return joined(limit);
        }
    }
}
