// clipboard-keeper: the smallest clipboard manager of the X11 clipboard-manager
// protocol, for tests. It owns CLIPBOARD_MANAGER on $DISPLAY and prints
// "ready". When a program that ends asks it to SAVE_TARGETS, it copies every
// target of CLIPBOARD from that program, answers, takes CLIPBOARD over and
// serves the copies to whoever asks, until it is killed. One line on stdout
// per event.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Free {
    void operator()(void *pointer) const { std::free(pointer); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free>;

xcb_connection_t *g_x = nullptr;
xcb_window_t g_window = 0;

xcb_atom_t atom(const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(g_x, xcb_intern_atom(g_x, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

struct Saved {
    xcb_atom_t type;
    uint8_t format;
    std::vector<uint8_t> data;
};

// Events that come while waiting for one SelectionNotify are kept for later.
std::vector<Reply<xcb_generic_event_t>> g_later;

bool fetch(xcb_atom_t selection, xcb_atom_t target, xcb_atom_t property, Saved &into)
{
    xcb_convert_selection(g_x, g_window, selection, target, property, XCB_CURRENT_TIME);
    xcb_flush(g_x);
    for (;;) {
        Reply<xcb_generic_event_t> event(xcb_wait_for_event(g_x));
        if (!event)
            return false;
        if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY) {
            g_later.push_back(std::move(event));
            continue;
        }
        const auto *notify = reinterpret_cast<xcb_selection_notify_event_t *>(event.get());
        if (notify->property == XCB_ATOM_NONE)
            return false;
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            g_x, xcb_get_property(g_x, 1, g_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr));
        if (!reply)
            return false;
        const auto *bytes = static_cast<const uint8_t *>(xcb_get_property_value(reply.get()));
        into = {reply->type, reply->format,
                std::vector<uint8_t>(bytes, bytes + xcb_get_property_value_length(reply.get()))};
        return true;
    }
}

void answer(const xcb_selection_request_event_t *request, xcb_atom_t property)
{
    xcb_selection_notify_event_t notify = {};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request->time;
    notify.requestor = request->requestor;
    notify.selection = request->selection;
    notify.target = request->target;
    notify.property = property;
    xcb_send_event(g_x, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&notify));
    xcb_flush(g_x);
}

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    g_x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(g_x)) {
        std::fprintf(stderr, "clipboard-keeper: cannot open the display\n");
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(g_x)).data;
    g_window = xcb_generate_id(g_x);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(g_x, XCB_COPY_FROM_PARENT, g_window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      screen->root_visual, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER"), saveTargets = atom("SAVE_TARGETS"),
                     clipboard = atom("CLIPBOARD"), targets = atom("TARGETS"), kept = atom("KEEPER_DATA");
    xcb_set_selection_owner(g_x, g_window, manager, XCB_CURRENT_TIME);
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(g_x, xcb_get_selection_owner(g_x, manager), nullptr));
    if (!owner || owner->owner != g_window) {
        std::fprintf(stderr, "clipboard-keeper: another clipboard manager runs\n");
        return 1;
    }
    std::printf("ready\n");

    std::map<xcb_atom_t, Saved> saved;
    for (;;) {
        Reply<xcb_generic_event_t> event;
        if (!g_later.empty()) {
            event = std::move(g_later.front());
            g_later.erase(g_later.begin());
        } else {
            event.reset(xcb_wait_for_event(g_x));
        }
        if (!event)
            return 0; // the display went away
        if ((event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
            continue;
        const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event.get());

        if (request->selection == manager && request->target == saveTargets) {
            Saved offered;
            saved.clear();
            if (fetch(clipboard, targets, kept, offered) && offered.format == 32) {
                const auto *list = reinterpret_cast<const xcb_atom_t *>(offered.data.data());
                for (size_t i = 0; i < offered.data.size() / sizeof(xcb_atom_t); ++i) {
                    Saved copy;
                    if (list[i] != targets && fetch(clipboard, list[i], kept, copy) && copy.type != XCB_ATOM_NONE)
                        saved[list[i]] = std::move(copy);
                }
            }
            xcb_set_selection_owner(g_x, g_window, clipboard, XCB_CURRENT_TIME);
            std::printf("saved %zu targets\n", saved.size());
            answer(request, request->property);
        } else if (request->selection == clipboard && request->target == targets) {
            std::vector<xcb_atom_t> list{targets};
            for (const auto &[target, copy] : saved)
                list.push_back(target);
            xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, request->requestor, request->property, XCB_ATOM_ATOM, 32,
                                list.size(), list.data());
            answer(request, request->property);
        } else if (request->selection == clipboard && saved.count(request->target)) {
            const Saved &copy = saved.at(request->target);
            xcb_change_property(g_x, XCB_PROP_MODE_REPLACE, request->requestor, request->property, copy.type,
                                copy.format, copy.data.size() / (copy.format / 8), copy.data.data());
            std::printf("served %zu bytes\n", copy.data.size());
            answer(request, request->property);
        } else {
            answer(request, XCB_ATOM_NONE);
        }
    }
}
