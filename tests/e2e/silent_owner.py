"""A clipboard owner that never answers: it takes the CLIPBOARD selection
of $DISPLAY, prints "owned" and then ignores every request until killed."""
import sys
import time

from Xlib import X, Xatom, display


def main():
    d = display.Display()
    window = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    clipboard = d.intern_atom("CLIPBOARD")
    window.set_selection_owner(clipboard, X.CurrentTime)
    d.sync()
    if d.get_selection_owner(clipboard) != window:
        sys.exit("could not take the clipboard")
    print("owned", flush=True)
    while True:
        d.next_event()  # requests are read and left unanswered
        time.sleep(0)


if __name__ == "__main__":
    main()
