"""Waits for the log of the keylog window that mouse.kil clicks on and
compares its events with mouse.events."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'support' / 'keylog'))
import keylog_check  # noqa: E402

sys.exit(keylog_check.check_log(Path(__file__).with_suffix('.events')))
