"""Plays the user of menus.kil: at each stage caption compares the dialog's
client height with the one it had without a menu (a menu bar takes room,
an empty bar none) and presses the next button."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

user = User()


def stage(title):
    """The client height at this stage; then goes on."""
    tree = user.tree(user.wait_title(title))
    user.click(tree.control(2001)['hwnd'])
    return tree.top['ch']


plain = stage('stage none')
with_bar = stage('stage bar')
user.check('a menu bar takes room', with_bar < plain, True)
user.check('an unclosed pop-up leaves the bar empty', stage('stage unclosed'), plain)
user.check('a removed menu gives the room back', stage('stage removed'), plain)
user.finish()
