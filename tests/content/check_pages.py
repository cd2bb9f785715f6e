#!/usr/bin/env python3
"""check_pages.py DATA: checks every *.htm and images/*.svg of a Data folder against the house
rules for content. Page writers run it before anything is built, CTest on the shipped folder."""

import os, re, sys

MIN_WORDS, MIN_START_PAGE_WORDS, MAX_WORDS = 600, 200, 1500
LINK = re.compile(r'\b(href|src)\s*=\s*"([^"]*)"')
SCHEME = re.compile(r"^[a-zA-Z][a-zA-Z0-9+.-]*:")
# (what a sound page holds, or must not hold when it starts with "!"; the fault otherwise)
PAGE_RULES = [(r"^<!DOCTYPE html>", "does not start with <!DOCTYPE html>"),
              (r'<html lang="bg">', "not marked as Bulgarian"),
              (r'(?i)<meta charset="utf-8">', "does not declare its charset"),
              (r"!(?i)<script", "has a script"), (r"!&#", "writes characters as references"),
              (r"<figure(?s:.)*<figcaption", "has no figure with a caption")]
PICTURE_RULES = [(r"!<script", "has a script"), (r"!<image", "embeds an image"),
                 (r'!href\s*=\s*"https?:', "refers outside")]


def broken(rules, text):
    return [fault for rule, fault in rules
            if bool(re.search(rule.lstrip("!"), text)) == rule.startswith("!")]


def page_problems(folder, name):
    """What is wrong with one page, as readable sentences; empty when nothing is."""
    with open(os.path.join(folder, name), "rb") as f:
        raw = f.read()
    html = raw.decode("utf-8", "replace")
    problems = broken(PAGE_RULES, html) + ([] if html.encode() == raw else ["not valid UTF-8"])
    for kind, target in LINK.findall(html):
        target = target.split("#")[0]
        if SCHEME.match(target):
            if kind == "src" or re.search(rf'<link\b[^>]*href="{re.escape(target)}"', html):
                problems.append(f"outside resource {target}")
        elif target and not (os.path.isfile(os.path.join(folder, target)) and all(
                part in os.listdir(os.path.join(folder, *parts[:i]))  # in its exact letter case
                for parts in [target.split("/")] for i, part in enumerate(parts))):
            problems.append(f"broken link {target}")
    body = re.search(r"<body.*</body>", html, re.S)
    words = sum(any(c.isalpha() for c in word)
                for word in re.sub(r"<[^>]*>", " ", body.group(0) if body else "").split())
    least = MIN_START_PAGE_WORDS if name == "welcome.htm" else MIN_WORDS
    if not least <= words <= MAX_WORDS:
        problems.append(f"{words} words, not {least} to {MAX_WORDS}")
    return problems


def check(folder):
    pages = sorted(name for name in os.listdir(folder) if name.endswith(".htm"))
    pictures = sorted(f"images/{name}" for name in os.listdir(os.path.join(folder, "images"))
                      if name.endswith(".svg"))
    faults = [f"{name}: {problem}" for name in pages for problem in page_problems(folder, name)]
    for name in pictures:
        with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
            faults += [f"{name}: {problem}" for problem in broken(PICTURE_RULES, f.read())]
    if len(pictures) < len(pages):
        faults.append(f"{len(pictures)} pictures for {len(pages)} pages")
    print("\n".join(faults) or f"{len(pages)} pages and {len(pictures)} pictures are sound")
    return not faults


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        sys.exit(0 if check(sys.argv[1]) else 1)
    except OSError as e:  # a missing folder, an unreadable file
        sys.exit(f"check_pages.py: {e}")
