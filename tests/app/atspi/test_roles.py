"""Role names map to AT-SPI's enumeration the same way on both at-spi2-core generations
(no program, no session needed)."""

import sys

import velmora_atspi as va

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


# Both generations' names of the button role are one role; other roles stay apart.
expect(va.role_value("push button") == va.role_value("button"), "push button and button differ")
for name in ("table", "table cell", "check box", "label", "heading", "menu item", "dialog", "radio button"):
    expect(va.role_value(name) != va.role_value("push button"), "%s reads as a button" % name)
expect(len({va.role_value(n) for n in ("table", "table cell", "check box", "heading", "menu item")}) == 5,
       "distinct roles share a value")
# A misspelt role fails the test that uses it instead of matching nothing until a timeout.
try:
    va.role_value("pushbutton")
    failures.append("an unknown role name was accepted")
except ValueError:
    pass


class Stub:
    def __init__(self, role):
        self.role = role

    def getRole(self):
        if self.role is None:
            raise RuntimeError("the object is gone")
        return self.role


expect(va.has_role(Stub(va.Atspi.Role.PUSH_BUTTON), "button"), "a push button is not a button")
expect(not va.has_role(Stub(va.Atspi.Role.CHECK_BOX), "push button"), "a check box is a button")
expect(not va.has_role(Stub(None), "push button"), "a vanished object has a role")

for failure in failures:
    print("FAIL:", failure)
print("PASS" if not failures else "%d failed" % len(failures))
sys.exit(1 if failures else 0)
