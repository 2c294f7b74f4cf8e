#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
"""The mutation check, told test by test: which test cases fail on which fault.

  scripts/mutants-by-test.py --out DIR --build BUILD --target T --binary BIN [--sample N] [--seed S] FILE...
  scripts/mutants-by-test.py --report DIR...

The first form runs ../shared/tools/mutants.py with a unit-test binary as the test command and
keeps each run's results (DIR/N.xml, DIR/N.out) and the tool's own lines (DIR/mut.log). The
second reads one or more such folders and prints, per fault, the cases that failed on it, then
the cases that caught some fault alone (no other case failed on it) and the rest with how often
they failed along with others. A case that fails often but never alone is where to look when
the suite must get smaller; one that never failed only met no fault of the files sampled.
"""
import argparse, collections, os, re, subprocess, sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))


def run_once(binary, out):
    # One run of the test binary under the tool; its results go to the next numbered files.
    counter = os.path.join(out, 'n')
    n = int(open(counter).read()) + 1 if os.path.exists(counter) else 1
    open(counter, 'w').write(str(n))
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    with open(os.path.join(out, f'{n}.out'), 'w') as log:
        try:
            return subprocess.run([binary, f'--gtest_output=xml:{out}/{n}.xml'], stdout=log,
                                  stderr=subprocess.STDOUT, env=env, timeout=150).returncode
        except subprocess.TimeoutExpired:
            return 124


def failed_cases(out, n):
    x = os.path.join(out, f'{n}.xml')
    try:
        cases = list(ET.parse(x).iter('testcase'))
        return ({c.get('classname') + '.' + c.get('name') for c in cases},
                {c.get('classname') + '.' + c.get('name') for c in cases if c.find('failure') is not None})
    except (OSError, ET.ParseError):
        # A crash or a hang writes no results: the case that was running is the one that caught it.
        o = os.path.join(out, f'{n}.out')
        running = re.findall(r'\[ RUN      \] (\S+)', open(o, errors='replace').read()) if os.path.exists(o) else []
        return set(), {(running[-1] if running else '?') + ' (crashed or hung)'}


def report(folders):
    cases, alone, along = set(), collections.Counter(), collections.Counter()
    for out in folders:
        lines = [l.rstrip() for l in open(os.path.join(out, 'mut.log'))
                 if re.search(r': (caught|MISSED|does not build) \(', l)]
        cases |= failed_cases(out, 1)[0]  # run 1 is the unchanged tree
        n = 1
        for line in lines:
            if 'does not build' in line:
                continue
            n += 1
            seen, failed = failed_cases(out, n)
            cases |= seen
            print(line.split(' (')[0], '|', ' '.join(sorted(failed)) or '-')
            for c in failed:
                (alone if len(failed) == 1 else along)[c] += 1
    print('\ncaught alone:')
    for c, k in alone.most_common():
        print(f'  {k:3} {c}')
    print('\nnever alone (times failed with others):')
    for c in sorted(cases - set(alone), key=lambda c: (-along[c], c)):
        print(f'  {along[c]:3} {c}')


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--report', nargs='+')
    ap.add_argument('--run', nargs=2, metavar=('BINARY', 'DIR'), help=argparse.SUPPRESS)
    ap.add_argument('--out'); ap.add_argument('--build'); ap.add_argument('--target'); ap.add_argument('--binary')
    ap.add_argument('--sample', default='25'); ap.add_argument('--seed', default='1')
    ap.add_argument('files', nargs='*')
    a = ap.parse_args()
    if a.run:
        sys.exit(run_once(*a.run))
    if a.report:
        return report(a.report)
    if not (a.out and a.build and a.target and a.binary and a.files):
        ap.error('--out, --build, --target, --binary and at least one file are needed')
    os.makedirs(a.out, exist_ok=True)
    test = f'{sys.executable} {os.path.abspath(__file__)} --run {os.path.abspath(a.binary)} {os.path.abspath(a.out)}'
    tool = os.path.join(HERE, '..', '..', 'shared', 'tools', 'mutants.py')
    with open(os.path.join(a.out, 'mut.log'), 'w') as log:
        p = subprocess.Popen([sys.executable, tool, '--build', a.build, '--target', a.target, '--test', test,
                              '--sample', a.sample, '--seed', a.seed, '--timeout', '150', *a.files],
                             stdout=subprocess.PIPE, text=True)
        for line in p.stdout:
            print(line, end='', flush=True)
            log.write(line)
    if p.wait() == 0:
        report([a.out])
    sys.exit(p.returncode)


if __name__ == '__main__':
    main()
