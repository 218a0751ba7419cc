"""The interface in the desktop's language: English for an English locale,
Polish for the C locale (whatever LANGUAGE says) and for LANGUAGE=pl. Read
as a screen reader reads it, through AT-SPI, and by the windows' titles."""
import os
import time

import harness
from test_accessibility import SessionBus

ENGLISH = {
    "bar": ["File", "Edit", "Image", "Options", "Help"],
    "transparent": "Transparent colour",
    "colours": ["black", "red", "green", "blue", "dark red", "dark green", "dark blue",
                "dark grey", "white", "magenta", "yellow", "cyan", "purple", "olive",
                "teal", "grey", "none"],
    "open": "Open", "error": "Error", "help": "Help",
    "notice": "You have just started Help.",
}
POLISH = {
    "bar": ["Plik", "Edycja", "Obraz", "Opcje", "Pomoc"],
    "transparent": "Kolor przeźroczysty",
    "colours": ["czarny", "czerwony", "zielony", "niebieski", "brązowy", "ciemy zielony",
                "ciemny niebieski", "ciemny szary", "biały", "fioletowy", "żółty", "morski",
                "ciemny fioletowy", "oliwkowy", "osikany zielony", "szary", "brak"],
    "open": "Otwórz", "error": "Błąd", "help": "Pomoc",
    "notice": "Właśnie uruchomiłes Pomoc.",
}


def children(accessible):
    found = []
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            found.append(child)
    return found


def find(accessible, predicate):
    """The first object at or below `accessible` that satisfies `predicate`."""
    if predicate(accessible):
        return accessible
    for child in children(accessible):
        hit = find(child, predicate)
        if hit is not None:
            return hit
    return None


def entries(menu):
    """The menu entries below a submenu's item, in order (the popup menu
    stands between them)."""
    found = []
    for child in children(menu):
        if child.getRoleName().endswith("menu item"):
            found.append(child)
        else:
            found.extend(entries(child))
    return found


def plain(caption):
    # AT-SPI gives captions without the access key's ampersand; Qt may keep it.
    return caption.replace("&", "")


class Language(harness.Case):
    def setUp(self):
        harness._need("dbus-daemon")
        self.bus = SessionBus()
        self.addCleanup(self.bus.stop)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        # pyatspi stays with the first bus it meets: one test per process.
        import pyatspi
        self.desktop = pyatspi.Registry.getDesktop(0)

    def program(self, app, timeout=40.0):
        """The running program's own object on the bus (by process, since an
        earlier run of this scenario may still be listed). A loaded machine
        can take many seconds to register it: polled, so a quick one costs
        nothing."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            for candidate in children(self.desktop):
                try:
                    if candidate.name == "pikselar" and candidate.get_process_id() == app.proc.pid:
                        return candidate
                except Exception:
                    pass  # one that has just gone
            time.sleep(0.1)
        listed = []
        for candidate in children(self.desktop):
            try:
                listed.append((candidate.name, candidate.get_process_id()))
            except Exception as e:
                listed.append(repr(e))
        self.fail(f"pikselar ({app.proc.pid}) is not on the accessibility bus, which lists {listed}")

    def window(self, app, title, timeout=10.0):
        deadline = time.time() + timeout
        while True:
            for window in children(self.program(app)):
                if window.name == title:
                    return window
            if time.time() > deadline:
                self.fail(f"no window {title!r} on the accessibility bus")
            time.sleep(0.1)

    def answer(self, app, action, title, key="Return", check=None):
        """Does `action`, which opens one window titled `title`; `check` looks
        into it; then `key` closes it."""
        before = app.visible_windows()
        action()
        new = harness.wait_until(lambda: app.visible_windows() - before)
        self.assertTrue(new, f"no window came for {title!r}")
        self.window(app, title)
        if check:
            self.assertTrue(harness.wait_until(check), f"what {title!r} shows")
        self.assertTrue(app.dismiss(new.pop(), key), f"{title!r} stayed")

    def check(self, env, texts):
        app = harness.Pikselar(env={"DBUS_SESSION_BUS_ADDRESS": self.bus.address,
                                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", **env})
        # The tools read the titles in UTF-8 whatever the program was given
        # (a locale this machine lacks, or C).
        app.env = {k: v for k, v in app.env.items() if k not in ("LANGUAGE", "LANG")}
        app.env["LANG"] = "C.UTF-8"
        try:
            os.environ["DISPLAY"] = app.xvfb.display
            main = self.window(app, "Pikselar")  # the title is the same in every language
            bar = find(main, lambda a: a.getRoleName() == "menu bar")
            self.assertIsNotNone(bar, "no menu bar")
            self.assertEqual([plain(c.name) for c in children(bar)], texts["bar"])
            submenu = find(bar, lambda a: plain(a.name) == texts["transparent"])
            self.assertIsNotNone(submenu, texts["transparent"])
            names = [plain(a.name) for a in entries(submenu)]
            self.assertEqual(names, texts["colours"])

            # Each window by its title as AT-SPI reads it: under the C locale Qt
            # writes the Polish title in UTF-8 alone (_NET_WM_NAME), which
            # xdotool's search does not read.
            self.answer(app, lambda: app.key("ctrl+o"), texts["open"], "Escape")
            self.answer(app, lambda: app.key("ctrl+v"), texts["error"])  # no clipboard owner

            def notice_shown():
                notice = self.window(app, texts["help"])
                return find(notice, lambda a: a.name.startswith(texts["notice"])) is not None
            self.answer(app, lambda: app.key("F1"), texts["help"], check=notice_shown)
        finally:
            app.close()

    # One start per test, and ctest runs each test of this file as a process
    # of its own (tests/e2e/CMakeLists.txt): the reader keeps its first bus,
    # and a second program on one bus was sometimes never listed under load.
    def test_english_desktop(self):
        self.check({"LANGUAGE": "en", "LANG": "en_US.UTF-8"}, ENGLISH)

    def test_c_locale_is_polish_whatever_language_says(self):
        self.check({"LANGUAGE": "en", "LANG": "C"}, POLISH)

    def test_language_pl_on_english_desktop(self):
        self.check({"LANGUAGE": "pl", "LANG": "en_US.UTF-8"}, POLISH)

if __name__ == "__main__":
    harness.main()
