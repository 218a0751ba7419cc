"""A clipboard owner that never answers: it takes the CLIPBOARD selection
of $DISPLAY, prints "owned" and then ignores every request until killed,
printing "asked" for each."""
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
        event = d.next_event()  # requests are read and left unanswered
        if event.type == X.SelectionRequest:
            print("asked", flush=True)
        time.sleep(0)


if __name__ == "__main__":
    main()
