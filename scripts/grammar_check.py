"""A converter's output parsed by a grammar of its target's SQL: the shared code of
scripts/sqlserver-grammar (sqlfluff's T-SQL grammar) and scripts/oracle-grammar (its Oracle grammar).

No SQL Server or Oracle runs on this machine, so their converters' output is parsed instead by
sqlfluff's grammars (Debian's sqlfluff, installed by scripts/install-deps): every SELECT of a corpus
folder is converted by the validity tool (its FoxPro destinations removed first, as for the other
figures) and the target's text parsed. What the host fills in (`?name`, `?m.name`,
`?THISFORM.txt.Value`, `?(...)`) is bound by SQL pass-through before the server sees the statement, so
each becomes what stands for a parameter in the target's grammar (`@P` for T-SQL; the number `0` for
Oracle, whose bind variable `:P` sqlfluff's Oracle grammar does not take anywhere). The grammars' lexers
take ASCII names only, while both servers take any letter in a name, so every other letter outside a
string literal is read as `x`.

The grammar takes about half a second a statement, so results can be kept in a cache file: the
grammar's answer for each text it was given, keyed by a hash of that text and valid for one sqlfluff
version and dialect. A statement whose output is unchanged since the file was written is not parsed
again; one whose output changed is parsed. `--save-cache` rewrites the file with this run's texts (run
it after a change of output, so that later runs parse only what changed again).
"""
import argparse
import glob
import hashlib
import json
import os
import subprocess
import sys
from concurrent.futures import ProcessPoolExecutor
from dataclasses import dataclass
from functools import partial

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


@dataclass(frozen=True)
class Target:
    name: str          # the converter's name in the validity tool's report and in the figure
    grammar: str       # sqlfluff's dialect
    parameter: str     # what a host value is written as
    title: str         # the target as the floors file names it

    @property
    def figure(self):
        return f"selects {self.name} grammar"

    @property
    def script(self):
        return f"{self.name}-grammar"


TARGETS = {
    'sqlserver': Target('sqlserver', 'tsql', '@P', 'SQL Server output the T-SQL grammar'),
    # A bind variable stands where a value does: the grammar, which has no `:P`, is given a number.
    'oracle': Target('oracle', 'oracle', '0', 'Oracle output the Oracle grammar'),
}


def skip_string(text, i):
    """The index just past the T-SQL string literal that starts at text[i] ('' is a quote inside)."""
    j = i + 1
    while j < len(text):
        if text[j] == "'":
            if j + 1 < len(text) and text[j + 1] == "'":
                j += 2
                continue
            return j + 1
        j += 1
    return j


def skip_host_expression(text, i):
    """The index just past `?(...)` (text[i] is the '('), its parentheses and strings balanced."""
    depth = 0
    j = i
    while j < len(text):
        c = text[j]
        if c == "'":
            j = skip_string(text, j)
            continue
        if c == '(':
            depth += 1
        elif c == ')':
            depth -= 1
            if depth == 0:
                return j + 1
        j += 1
    return j


def is_name_char(c):
    return c.isalnum() or c in '_.' or ord(c) > 127


def for_grammar(text, parameter):
    """The statement as the grammar can read it: host values as 'parameter', other letters as x."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "'":
            j = skip_string(text, i)
            out.append(text[i:j])
            i = j
        elif c == '?' and i + 1 < len(text) and text[i + 1] == '(':
            out.append(parameter)
            i = skip_host_expression(text, i + 1)
        elif c == '?':
            j = i + 1
            while j < len(text) and is_name_char(text[j]):
                j += 1
            out.append(parameter)
            i = j
        else:
            out.append('x' if ord(c) > 127 else c)
            i += 1
    return ''.join(out)


def parse_errors(target, text):
    """The grammar's complaints about one statement (none: it parses)."""
    from sqlfluff.core import FluffConfig, Linter
    global LINTER
    if 'LINTER' not in globals():
        LINTER = Linter(config=FluffConfig(overrides={"dialect": target.grammar}))
    parsed = LINTER.parse_string(for_grammar(text, target.parameter))
    return [v.desc() for v in parsed.violations]


def grammar_version(target):
    import sqlfluff
    return f"sqlfluff {sqlfluff.__version__} {target.grammar}"


def text_key(target, text):
    return hashlib.sha256(for_grammar(text, target.parameter).encode('utf-8')).hexdigest()[:32]


def read_cache(target, path):
    """The grammar's answers kept in 'path' ({} when it is missing or from another grammar version)."""
    try:
        with open(path, encoding='utf-8') as f:
            lines = f.read().splitlines()
    except FileNotFoundError:
        return {}
    if not lines or lines[0] != f"# {grammar_version(target)}":
        return {}
    answers = {}
    for line in lines[1:]:
        key, _, errs = line.partition('\t')
        answers[key] = json.loads(errs)
    return answers


def write_cache(target, path, answers):
    with open(path, 'w', encoding='utf-8') as f:
        f.write(f"# {grammar_version(target)}\n")
        for key in sorted(answers):
            f.write(f"{key}\t{json.dumps(answers[key], ensure_ascii=False)}\n")


def all_errors(target, texts, cache):
    """Each text's grammar complaints: from the cache where it knows the text, else parsed."""
    keys = [text_key(target, t) for t in texts]
    known = read_cache(target, cache) if cache else {}
    todo = sorted({k: t for k, t in zip(keys, texts) if k not in known}.items())
    with ProcessPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        parsed = dict(zip([k for k, _ in todo], pool.map(partial(parse_errors, target), [t for _, t in todo], chunksize=8)))
    if cache:
        print(f"{target.script}: {len(todo)} of {len(set(keys))} texts parsed, the rest known from {cache}",
              file=sys.stderr)
    answers = {k: known[k] if k in known else parsed[k] for k in keys}
    return [answers[k] for k in keys], answers


def target_outputs(target, validity, corpus, every=1, offset=0):
    command = [validity, '--no-server', '--quiet', '--only', 'selects', '--json', '-']
    if corpus:
        command += ['--corpus', corpus]
    run = subprocess.run(command, capture_output=True, text=True, check=False)
    start = run.stdout.find('[')
    if run.returncode not in (0, 1) or start < 0:
        sys.exit(f"{target.script}: the validity tool failed: {run.stderr.strip()}")
    entries = json.loads(run.stdout[start:])
    selects = [e for e in entries if e['source'] == 'selects']
    where = f"{os.path.basename(os.path.normpath(corpus))}/" if corpus else ''
    return [(where + e['origin'], e['targets'][target.name]['output']) for e in selects[offset::every]]


def read_floor(target, path):
    try:
        with open(path, encoding='utf-8') as f:
            for line in f:
                if line.startswith(target.figure + ' '):
                    return int(line.split()[-1])
    except FileNotFoundError:
        pass
    return None


def write_floor(target, path, value):
    with open(path, 'w', encoding='utf-8') as f:
        f.write(f"# Floor of scripts/{target.script}: statements whose {target.title} takes.\n")
        f.write(f"{target.figure} {value}\n")


def main(target_name, doc):
    """The command line of scripts/<target>-grammar, whose docstring is 'doc'."""
    target = TARGETS[target_name]
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument('--validity', default=os.path.join(ROOT, 'build/default/tools/tarnvel_validity'))
    parser.add_argument('--corpus', action='append', default=[])
    parser.add_argument('--probe-sets', action='store_true')
    parser.add_argument('--every', type=int, default=1)
    parser.add_argument('--offset', type=int, default=0)
    parser.add_argument('--floors')
    parser.add_argument('--raise-floors', action='store_true')
    parser.add_argument('--cache')
    parser.add_argument('--save-cache', action='store_true')
    parser.add_argument('--quiet', action='store_true')
    args = parser.parse_args()
    if args.save_cache and not args.cache:
        parser.error('--save-cache needs --cache FILE')
    if args.probe_sets:
        args.corpus += sorted(glob.glob(os.path.join(ROOT, 'tests/validity/probes*/')))
    if args.every < 1:
        parser.error('--every takes a count of 1 or more')
    if not 0 <= args.offset < args.every:
        parser.error('--offset takes a count from 0 to one below --every')
    floors = args.floors or (None if args.corpus else os.path.join(ROOT, f'scripts/{target.script}-floors'))
    if not os.path.exists(args.validity):
        subprocess.run(['cmake', '--build', '--preset', 'default', '--target', 'tarnvel_validity'], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    outputs = [o for corpus in (args.corpus or [None]) for o in target_outputs(target, args.validity, corpus, args.every,
                                                                                   args.offset)]
    errors, answers = all_errors(target, [text for _, text in outputs], args.cache)
    if args.save_cache:
        write_cache(target, args.cache, answers)
    taken = sum(1 for e in errors if not e)
    print(f"{target.figure} {taken}/{len(outputs)} ({100.0 * taken / max(len(outputs), 1):.1f}%)")
    if not args.quiet:
        for (origin, text), errs in zip(outputs, errors):
            if errs:
                print(f"{origin} {target.name} grammar: {errs[0]}")
    floor = read_floor(target, floors) if floors else None
    if args.raise_floors and floors and (floor is None or taken > floor):
        write_floor(target, floors, taken)
        floor = taken
    if floor is not None and taken < floor:
        print(f"BELOW FLOOR: {target.figure} {taken} < {floor}")
        return 1
    return 0

