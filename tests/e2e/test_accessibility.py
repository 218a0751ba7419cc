"""What a screen reader reads, through AT-SPI as one would: the program on
its own session bus with the accessibility bridge on, read by pyatspi."""
import os
import signal
import subprocess
import tempfile
import time

import harness
from harness import TEXT

COLOUR_NAMES = [
    "czarny", "czerwony", "zielony", "niebieski", "brązowy", "ciemy zielony",
    "ciemny niebieski", "ciemny szary", "biały", "fioletowy", "żółty", "morski",
    "ciemny fioletowy", "oliwkowy", "osikany zielony", "szary",
]
TOOL_TEXTS = [
    "To narzędzie służy do rysowania pojedyńczych punktów",
    "To narzędzie do rysowania prostych linii",
    "To narzędzie służy do rysowania kwadratów",
    "To narzędzie służy do rysowania wypełnionych kwadratów",
    "To narzędzie służy do wstawiania tekstu",
    "PUSTE - może coś tu dam w nowej wersji",
    "Gumka do mazania",
    "Gumka do mazania wybranego koloru",
]
ARROW_TEXTS = [f"To narzędzie przesuwa obraz w {w}" for w in ("górę", "lewo", "dół", "prawo")]


class SessionBus:
    """A private session bus; the accessibility bus and registry it starts
    on demand stay in its process group and end with it. Its runtime folder
    is its own too: without a display the accessibility bus listens at one
    fixed path in it, and two scenarios at once would take each other's."""

    def __init__(self):
        self.runtime = tempfile.TemporaryDirectory(prefix="pikselar-bus-")
        self.proc = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True,
            env={**os.environ, "XDG_RUNTIME_DIR": self.runtime.name})
        self.address = self.proc.stdout.readline().decode().strip()
        if not self.address:
            self.stop()
            raise RuntimeError("dbus-daemon did not start")

    def stop(self):
        try:
            os.killpg(self.proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        self.proc.wait(5)
        self.proc.stdout.close()
        self.runtime.cleanup()


def tree(accessible, out):
    """(role, name, description) of an object and everything below it."""
    out.append((accessible.getRoleName(), accessible.name, accessible.description))
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            tree(child, out)
    return out


class ScreenReader(harness.Case):
    def setUp(self):
        harness._need("dbus-daemon")
        self.bus = SessionBus()
        self.addCleanup(self.bus.stop)
        self.app = harness.Pikselar(env={"DBUS_SESSION_BUS_ADDRESS": self.bus.address,
                                         "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        self.addCleanup(self.app.close)
        # The reader: this process, on the same bus and display.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        os.environ["DISPLAY"] = self.app.xvfb.display
        # Connects on first use, to the bus just set, and stays with it: one
        # test in this file, as a second would start a bus of its own.
        import pyatspi
        self.desktop = pyatspi.Registry.getDesktop(0)

    def program(self, timeout=15.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            for i in range(self.desktop.childCount):
                app = self.desktop.getChildAtIndex(i)
                if app is not None and app.name == "pikselar":
                    return app
            time.sleep(0.1)
        self.fail("pikselar is not on the accessibility bus")

    def objects(self, window_name, timeout=10.0):
        """Everything in the program's window of that name, once it is there."""
        deadline = time.time() + timeout
        while True:
            app = self.program()
            for i in range(app.childCount):
                window = app.getChildAtIndex(i)
                if window is not None and window.name == window_name:
                    return tree(window, [])
            if time.time() > deadline:
                self.fail(f"no window {window_name!r} on the accessibility bus")
            time.sleep(0.1)

    def test_buttons_and_views_are_named_and_described(self):
        seen = self.objects("Pikselar")
        buttons = [(name, description) for role, name, description in seen
                   if role == "push button"]
        names = [name for name, _ in buttons]
        for name in COLOUR_NAMES + TOOL_TEXTS + ARROW_TEXTS:
            self.assertEqual(names.count(name), 1, f"{name!r} among {names}")
        described = dict(buttons)
        self.assertEqual(described["czarny"], "Kliknij tutaj, aby wybrać czarny kolor")
        self.assertTrue(described[TOOL_TEXTS[0]].startswith("Ołówek - "))
        self.assertTrue(described[ARROW_TEXTS[2]].startswith("Strzałka w dół - "))
        images = {name: description for role, name, description in seen if role == "image"}
        self.assertEqual(set(images), {"Obraz ikony w powiększeniu", "Podgląd ikony (skala 1:1)",
                                       "Podgląd ikony (skala 1:2)"})
        self.assertTrue(all(images.values()), images)

        # A dialog too: the text field by what it is for, the buttons by their captions.
        self.app.click_tool(TEXT)
        self.app.wait_for_window("Wstaw tekst")
        dialog = {(role, name): description for role, name, description
                  in self.objects("Wstaw tekst")}
        self.assertTrue(dialog.get(("text", "Tekst")), dialog)
        self.assertTrue(dialog.get(("push button", "OK")), dialog)
        self.assertTrue(dialog.get(("push button", "Anuluj")), dialog)


if __name__ == "__main__":
    harness.main()
