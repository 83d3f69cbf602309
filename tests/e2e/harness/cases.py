"""End-to-end cases: a script tests/e2e/<area>/<name>.kil with its
directives and the sidecar files beside it. The format is described in
tests/e2e/README.md; this module only reads it.
"""
import ast
import re
import shlex
from dataclasses import dataclass, field
from pathlib import Path

E2E_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_TIMEOUT = 20.0

DIRECTIVE = re.compile(r'^\s*;\s*([a-z][a-z-]*)\s*:\s?(.*?)\s*$')
KEY_VALUE = re.compile(r'''(\w+)=('(?:[^'\\]|\\.)*'|"(?:[^"\\]|\\.)*"|\S+)''')
KNOWN = {'args', 'exit', 'timeout', 'needs', 'file', 'expect-file', 'box', 'image', 'stderr',
         'runtime', 'support', 'env'}
ENV_NAME = re.compile(r'[A-Za-z_][A-Za-z0-9_]*')


class CaseError(Exception):
    """A case file that cannot be read as a case."""


@dataclass
class Box:
    caption: str
    text: str
    press: str = None        # button text, '&' ignored, case-insensitive
    press_id: int = None     # or a control id

    def describe(self):
        how = f'press={self.press!r}' if self.press is not None else f'id={self.press_id}'
        return f'caption={self.caption!r} text={self.text!r} {how}'


@dataclass
class Image:
    trailer: str = None      # None (as linked), '0', 'size', 'past-end' or a number
    code: bytes = None       # raw code replacing the listing


@dataclass
class Case:
    path: Path               # the .kil file
    area: str
    name: str
    args: list = field(default_factory=list)
    exit_code: int = 0
    timeout: float = DEFAULT_TIMEOUT
    needs: set = field(default_factory=set)
    files: dict = field(default_factory=dict)          # run-dir path -> bytes
    expect_files: dict = field(default_factory=dict)   # run-dir path -> bytes
    boxes: list = field(default_factory=list)
    image: Image = field(default_factory=Image)
    check_stderr: bool = False
    runtime: str = 'product'  # 'product' or 'trace' (the tracing runtime)
    support: list = field(default_factory=list)  # programs of <build>/support/ to copy
    env: dict = field(default_factory=dict)      # extra environment of the program and hooks

    @property
    def id(self):
        return f'{self.area}/{self.name}'

    def sidecar(self, suffix):
        return self.path.with_name(self.name + suffix)

    @property
    def expected_stdout(self):
        out = self.sidecar('.out')
        return out.read_bytes() if out.is_file() else b''

    @property
    def expected_stderr(self):
        err = self.sidecar('.err')
        return err.read_bytes() if err.is_file() else None

    @property
    def driver(self):
        py = self.sidecar('.py')
        return py if py.is_file() else None

    @property
    def setup_hook(self):
        py = self.sidecar('.setup.py')
        return py if py.is_file() else None

    @property
    def check_hook(self):
        py = self.sidecar('.check.py')
        return py if py.is_file() else None

    @property
    def fixture_dir(self):
        d = self.sidecar('.files')
        return d if d.is_dir() else None

    @property
    def needs_windows(self):
        return ('windows' in self.needs or bool(self.boxes) or self.driver is not None
                or bool(self.support))


def _literal(text, where):
    """A Python string literal as bytes (latin-1), or a bare word."""
    if text[:1] in ('"', "'"):
        try:
            value = ast.literal_eval(text)
        except (ValueError, SyntaxError) as e:
            raise CaseError(f'{where}: bad string literal {text}: {e}')
        return value.encode('latin-1') if isinstance(value, str) else value
    return text.encode('latin-1')


def _key_values(text, where):
    pairs = {}
    rest = KEY_VALUE.sub(lambda m: pairs.__setitem__(m.group(1), m.group(2)) or '', text)
    if rest.strip():
        raise CaseError(f'{where}: cannot read {rest.strip()!r} (expected key=value)')
    return pairs


def _file_assignment(text, where):
    name, sep, value = text.partition('=')
    if not sep or not name.strip():
        raise CaseError(f'{where}: expected PATH = LITERAL')
    return name.strip(), _literal(value.strip(), where)


def _box(text, where):
    kv = _key_values(text, where)
    unknown = set(kv) - {'caption', 'text', 'press', 'id'}
    if unknown or 'caption' not in kv or 'text' not in kv:
        raise CaseError(f'{where}: box needs caption= text= and press= or id=')
    box = Box(_literal(kv['caption'], where).decode('latin-1'),
              _literal(kv['text'], where).decode('latin-1'))
    if 'id' in kv:
        box.press_id = int(kv['id'], 0)
    else:
        box.press = _literal(kv.get('press', 'OK'), where).decode('latin-1')
    return box


def _image(case, text, where):
    for key, value in _key_values(text, where).items():
        if key == 'trailer':
            if value not in ('0', 'size', 'past-end') and not re.fullmatch(r'0x[0-9a-fA-F]+|[0-9]+', value):
                raise CaseError(f'{where}: trailer must be 0, size, past-end or a number')
            case.image.trailer = value
        elif key == 'code':
            try:
                case.image.code = bytes.fromhex(value) if value != 'empty' else b''
            except ValueError as e:
                raise CaseError(f'{where}: code must be hex bytes or "empty": {e}')
        else:
            raise CaseError(f'{where}: unknown image key {key}')


def load_case(path):
    """Reads one case from its .kil file."""
    path = Path(path).resolve()
    case = Case(path=path, area=path.parent.name, name=path.stem)
    for number, raw in enumerate(path.read_bytes().split(b'\n'), start=1):
        line = raw.rstrip(b'\r').decode('latin-1')
        m = DIRECTIVE.match(line)
        if not m or m.group(1) not in KNOWN:
            continue
        key, value, where = m.group(1), m.group(2), f'{path}:{number}'
        if key == 'args':
            case.args = shlex.split(value)
        elif key == 'exit':
            case.exit_code = int(value, 0)
        elif key == 'timeout':
            case.timeout = float(value)
        elif key == 'needs':
            case.needs.update(value.replace(',', ' ').split())
        elif key == 'file':
            name, content = _file_assignment(value, where)
            case.files[name] = content
        elif key == 'expect-file':
            name, content = _file_assignment(value, where)
            case.expect_files[name] = content
        elif key == 'box':
            case.boxes.append(_box(value, where))
        elif key == 'image':
            _image(case, value, where)
        elif key == 'stderr':
            if value not in ('check', 'ignore'):
                raise CaseError(f'{where}: stderr must be check or ignore')
            case.check_stderr = value == 'check'
        elif key == 'support':
            case.support.extend(value.replace(',', ' ').split())
        elif key == 'env':
            name, sep, env_value = value.partition('=')
            if not sep or not ENV_NAME.fullmatch(name.strip()):
                raise CaseError(f'{where}: expected NAME=VALUE')
            case.env[name.strip()] = env_value.strip()
        elif key == 'runtime':
            if value not in ('product', 'trace'):
                raise CaseError(f'{where}: runtime must be product or trace')
            case.runtime = value
    if case.expected_stderr is not None:
        case.check_stderr = True
    return case


def all_cases(root=E2E_ROOT):
    """Every case under tests/e2e/<area>/, sorted by id."""
    return [load_case(p) for p in sorted(Path(root).glob('*/*.kil'))
            if p.parent.name != 'harness']
