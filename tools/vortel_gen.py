#!/usr/bin/env python3
"""Writes a synthetic VORTEL data file: an Adoption section, the adoption
aggregate record, a Foster Care section and footnote records, with realistic,
mostly consistent detail records and a chosen share of records with errors.

The file is meant for benchmarks, fuzz corpora and tests that need many
records. It is deterministic for a given seed (and Python version).

Speed: a pool of complete records ("templates") is built first with the full
generation logic; the millions of output records are then drawn from the pool
and differ in their record numbers, so that the bulk of the work is string
concatenation.
"""
import argparse
import collections
import datetime
import operator
import random
import sys
import time

ADOPTION_LENGTH = 111
FOSTER_CARE_LENGTH = 197
AGGREGATE_LENGTH = 168

# The State FIPS codes the checker accepts.
VALID_STATE_CODES = (
    "01 02 04 05 06 08 09 10 11 12 13 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 "
    "36 37 38 39 40 41 42 44 45 46 47 48 49 50 51 53 54 55 56 72").split()

# Where the record number stands in each record kind (1-based, inclusive).
ADOPTION_NUMBER_COLUMNS = (9, 20)
FOSTER_CARE_NUMBER_COLUMNS = (14, 25)

YEAR_DAYS = 365


# ---------------------------------------------------------------------------
# Field catalogues: what each element is, where it stands and whether it must
# be reported. The error injection picks its targets from these tables.
# Kinds: state, period, county, month (YYYYMM date), date (YYYYMMDD), year,
# amount (0-99999), count (1-99), code:<valid characters>.
# ---------------------------------------------------------------------------

def _codes(first_element, first_column, count, valid, required, suffixes=None):
    rows = []
    for i in range(count):
        name = (f"{first_element}{suffixes[i]}" if suffixes else str(first_element + i))
        rows.append((name, first_column + i, first_column + i, "code:" + valid, required))
    return rows


RACE = "abcdef"

ADOPTION_FIELDS = (
    [("1", 1, 2, "state", True), ("2", 3, 8, "period", True), ("4", 21, 21, "code:12", True),
     ("5", 22, 27, "month", True), ("6", 28, 28, "code:12", True)]
    + _codes(7, 29, 6, "01", True, RACE)
    + [("8", 35, 35, "code:123", True), ("9", 36, 36, "code:12", True),
       ("10", 37, 37, "code:012345", False)]
    + _codes(11, 38, 5, "01", False)
    + [("16", 43, 46, "year", False), ("17", 47, 50, "year", False), ("18", 51, 51, "code:123", True),
       ("19", 52, 59, "date", True), ("20", 60, 67, "date", True), ("21", 68, 75, "date", True),
       ("22", 76, 76, "code:1234", True), ("23", 77, 80, "year", False), ("24", 81, 84, "year", False)]
    + _codes(25, 85, 6, "01", False, RACE) + [("26", 91, 91, "code:0123", False)]
    + _codes(27, 92, 6, "01", False, RACE) + [("28", 98, 98, "code:0123", False)]
    + _codes(29, 99, 4, "01", False)
    + [("33", 103, 103, "code:123", True), ("34", 104, 104, "code:12345", True),
       ("35", 105, 105, "code:12", True), ("36", 106, 110, "amount", True), ("37", 111, 111, "code:12", True)]
)

FOSTER_CARE_FIELDS = (
    [("1", 1, 2, "state", True), ("2", 3, 8, "period", True), ("3", 9, 13, "county", True),
     ("5", 26, 33, "date", False), ("6", 34, 41, "date", True), ("7", 42, 42, "code:12", True)]
    + _codes(8, 43, 6, "01", True, RACE)
    + [("9", 49, 49, "code:123", True), ("10", 50, 50, "code:123", True)]
    + _codes(11, 51, 5, "01", True)
    + [("16", 56, 56, "code:123", True), ("17", 57, 57, "code:012345", False),
       ("18", 58, 65, "date", True), ("19", 66, 67, "count", True), ("20", 68, 75, "date", False),
       ("21", 76, 83, "date", True), ("22", 84, 91, "date", True), ("23", 92, 99, "date", True),
       ("24", 100, 101, "count", True), ("25", 102, 102, "code:123", True)]
    + _codes(26, 103, 15, "01", True)
    + [("41", 118, 118, "code:12345678", True), ("42", 119, 119, "code:12", True),
       ("43", 120, 120, "code:1234567", True), ("44", 121, 121, "code:12345", True),
       ("45", 122, 125, "year", False), ("46", 126, 129, "year", False), ("47", 130, 137, "date", False),
       ("48", 138, 145, "date", False), ("49", 146, 146, "code:01234", False),
       ("50", 147, 150, "year", False), ("51", 151, 154, "year", False)]
    + _codes(52, 155, 6, "01", False, RACE) + [("53", 161, 161, "code:0123", False)]
    + _codes(54, 162, 6, "01", False, RACE) + [("55", 168, 168, "code:0123", False)]
    + [("56", 169, 176, "date", False), ("57", 177, 184, "date", False),
       ("58", 185, 185, "code:012345678", False)]
    + _codes(59, 186, 7, "01", True)
    + [("66", 193, 197, "amount", True)]
)


# ---------------------------------------------------------------------------
# Dates
# ---------------------------------------------------------------------------

def ymd(ordinal):
    return datetime.date.fromordinal(ordinal).strftime("%Y%m%d")


def ym(ordinal):
    return datetime.date.fromordinal(ordinal).strftime("%Y%m")


def year_of(ordinal):
    return datetime.date.fromordinal(ordinal).year


def period_end(period):
    """The last day of a report period YYYYMM (31 March or 30 September)."""
    year, month = int(period[:4]), int(period[4:])
    return datetime.date(year, 3, 31) if month == 3 else datetime.date(year, 9, 30)


def period_invalid(period, run):
    """True when the checker would reject `period` as a report period at run date `run`."""
    if len(period) != 6 or not period.isdigit():
        return True
    year, month = int(period[:4]), int(period[4:])
    if year < 1995 or month not in (3, 9):
        return True
    if run.month <= 3:
        return year > run.year or (year == run.year and month == 9)
    if run.month <= 9:
        return year > run.year
    return year > run.year + 1 or (year == run.year + 1 and month == 9)


def latest_period(run):
    """The last report period that has ended before the run date."""
    if run.month >= 10:
        return f"{run.year}09"
    if run.month >= 4:
        return f"{run.year}03"
    return f"{run.year - 1}09"


class Calendar:
    """The dates every record is built around."""

    def __init__(self, period, run):
        self.period = period
        self.run = run.toordinal()
        self.run_year = run.year
        self.end = period_end(period).toordinal()
        end = datetime.date.fromordinal(self.end)
        start = datetime.date(end.year, 4, 1) if end.month == 9 else datetime.date(end.year - 1, 10, 1)
        # Events of the period happen from its first day up to its last day,
        # and never on or after the run date.
        self.cap = min(self.end, self.run - 1)
        self.start = min(start.toordinal(), self.cap - 30)


# ---------------------------------------------------------------------------
# Record building helpers
# ---------------------------------------------------------------------------

def blank(length):
    return [" "] * length


def put(rec, first, text):
    rec[first - 1:first - 1 + len(text)] = text


def race(rng, f_share=0.03):
    """Six race categories a-f: one race (sometimes two), or only 'unable to determine'."""
    if rng.random() < f_share:
        return "000001"
    cats = ["0"] * 5
    cats[rng.choices(range(5), weights=(2, 2, 30, 1, 60))[0]] = "1"
    if rng.random() < 0.06:
        cats[rng.randrange(5)] = "1"
    return "".join(cats) + "0"


def between(rng, lo, hi):
    """A random ordinal from lo to hi inclusive (lo when the range is empty)."""
    return lo if hi <= lo else rng.randint(lo, hi)


# ---------------------------------------------------------------------------
# Clean records
# ---------------------------------------------------------------------------

def clean_adoption(rng, state, cal):
    """One consistent adoption record: returns (characters, facts)."""
    rec = blank(ADOPTION_LENGTH)
    put(rec, 1, state)
    put(rec, 3, cal.period)
    legal = between(rng, cal.start, cal.cap)
    age_months = rng.choices((rng.randint(6, 23), rng.randint(24, 95), rng.randint(96, 204)),
                             weights=(25, 45, 30))[0]
    legal_date = datetime.date.fromordinal(legal)
    months = legal_date.year * 12 + legal_date.month - 1 - age_months
    birth = datetime.date(months // 12, months % 12 + 1, 1).toordinal()
    birth_year = year_of(birth)
    agency = "1" if rng.random() < 0.93 else "2"
    put(rec, 21, agency)
    put(rec, 22, ym(birth))
    put(rec, 28, rng.choice("12"))
    put(rec, 29, race(rng))
    put(rec, 35, rng.choices("123", weights=(15, 82, 3))[0])

    # Special needs, its primary basis and the disabilities.
    disabilities = ["0"] * 5
    if rng.random() < 0.85:
        special, basis = "1", rng.choices("12345", weights=(25, 30, 20, 15, 10))[0]
        if basis == "4" or rng.random() < 0.3:
            disabilities[rng.randrange(5)] = "1"
    else:
        special, basis = "2", "0"
    put(rec, 36, special)
    put(rec, 37, basis)
    put(rec, 38, "".join(disabilities))

    # Birth parents: years may be unknown (blank), though for fewer than one
    # record in ten: a larger share is worth a remark in the summary report.
    mother_year = birth_year - rng.randint(15, 45)
    father_year = mother_year - rng.randint(-5, 10)
    if rng.random() < 0.93:
        put(rec, 43, str(mother_year))
    if rng.random() < 0.91:
        put(rec, 47, str(min(max(father_year, birth_year - 50), birth_year - 15)))
    put(rec, 51, rng.choices("123", weights=(25, 70, 5))[0])

    # Parental rights ended after the birth month and before the legalization.
    month_after_birth = datetime.date((months + 1) // 12, (months + 1) % 12 + 1, 1).toordinal()
    tpr_lo = max(month_after_birth, legal - 3 * YEAR_DAYS)
    tpr_mother = between(rng, tpr_lo, legal - 30)
    tpr_father = tpr_mother if rng.random() < 0.5 else between(rng, tpr_lo, legal - 30)
    put(rec, 52, ymd(tpr_mother))
    put(rec, 60, ymd(tpr_father))
    put(rec, 68, ymd(legal))

    # Adoptive family: a couple, a single mother or a single father.
    structure = rng.choices("1234", weights=(60, 8, 25, 7))[0]
    legal_year = legal_date.year
    parent_year = legal_year - rng.randint(25, 58)
    if structure in "123":
        put(rec, 77, str(parent_year))
        put(rec, 85, race(rng, 0.0))
        put(rec, 91, rng.choices("123", weights=(12, 85, 3))[0])
    if structure in "124":
        other = parent_year + rng.randint(-6, 6) if structure != "4" else parent_year
        put(rec, 81, str(min(other, legal_year - 25)))
        put(rec, 92, race(rng, 0.0))
        put(rec, 98, rng.choices("123", weights=(12, 85, 3))[0])
    put(rec, 76, structure)

    # Relationship to the child: exactly one (sometimes two) of the four.
    relation = ["0"] * 4
    choices = (0, 1, 2, 3) if agency == "1" else (0, 1, 3)
    relation[rng.choices(choices, weights=(4, 20, 60, 16)[:len(choices)])[0]] = "1"
    if rng.random() < 0.05:
        relation[rng.choice(choices)] = "1"
    put(rec, 99, "".join(relation))
    put(rec, 103, rng.choices("123", weights=(2, 95, 3))[0])
    put(rec, 104, "1" if agency == "1" and rng.random() < 0.9 else rng.choice("2345"))

    # Subsidy: paid with an amount, or not paid with a zero amount.
    if agency == "1" and rng.random() < 0.85:
        put(rec, 105, "1")
        put(rec, 106, "%05d" % rng.randint(150, 1500))
        put(rec, 111, "1" if rng.random() < 0.95 else "2")
    else:
        put(rec, 105, "2")
        put(rec, 106, "00000")
        put(rec, 111, "2")

    facts = {"birth": birth, "legal": legal, "tpr": tpr_mother, "age": age_months // 12}
    return rec, facts


REMOVAL_REASON_WEIGHTS = (  # columns 103-117, elements 26-40
    14, 4, 60, 5, 30, 1, 1, 0, 10, 2, 6, 15, 3, 2, 9)


def clean_foster_care(rng, state, cal, counties, county_weights):
    """One consistent foster care record: returns (characters, facts)."""
    rec = blank(FOSTER_CARE_LENGTH)
    put(rec, 1, state)
    put(rec, 3, cal.period)
    put(rec, 9, rng.choices(counties, cum_weights=county_weights)[0])

    discharged = rng.random() < 0.3
    reason = rng.choices("12345678", weights=(50, 15, 20, 5, 3, 3, 2, 2))[0] if discharged else None
    stay = rng.choices((rng.randint(30, 180), rng.randint(181, 730), rng.randint(731, 1800)),
                       weights=(25, 45, 30))[0]
    if reason == "3":
        stay = max(stay, rng.randint(400, 1500))  # adoptions follow long stays
    discharge = between(rng, cal.start, cal.cap) if discharged else None
    latest = (discharge if discharged else cal.cap) - stay
    # The child was removed before turning 17 and is under 21 at the period's end.
    age_limit = min(17 * YEAR_DAYS - 30, 21 * YEAR_DAYS - (cal.end - latest))
    birth = latest - between(rng, 1, max(1, age_limit))

    # Removals: one, or several with a discharge between them.
    removals = 1 if rng.random() < 0.7 or latest - birth < 200 else rng.randint(2, 4)
    if removals == 1:
        first, previous = latest, None
    else:
        first = latest - between(rng, 100, min(6 * YEAR_DAYS, latest - birth - 1))
        previous = between(rng, first + 30, latest - 30) if latest - first > 60 else first + (latest - first) // 2
        if not first < previous < latest:
            removals, first, previous = 1, latest, None
    transaction = min(latest + rng.randint(0, 14), discharge if discharged else cal.cap)
    upper = (discharge if discharged else cal.cap) - latest
    placements = 1 if rng.random() < 0.4 or upper < 1 else rng.randint(2, 8)
    placement = latest if placements == 1 else latest + between(rng, 1, upper)

    # Plan, reviews and parental rights.
    if discharged:
        goal = "3" if reason == "3" else rng.choices("124567", weights=(55, 10, 10, 10, 10, 5))[0]
    else:
        goal = rng.choices("1234567", weights=(50, 8, 20, 6, 6, 5, 5))[0]
    review = None
    if goal != "7" and rng.random() < 0.75:
        lo = max(latest, cal.end - 270, (discharge - 270) if discharged else 0)
        hi = discharge if discharged else cal.cap
        if lo <= hi:
            review = between(rng, lo, hi)
    tpr_mother = tpr_father = None
    if goal == "3":
        hi = (discharge - 1) if discharged else cal.cap
        lo = latest + 30
        if lo <= hi:
            tpr_mother = between(rng, lo, hi)
            tpr_father = tpr_mother if rng.random() < 0.6 else between(rng, lo, hi)
            if not discharged and rng.random() < 0.2:
                tpr_father = None
    if reason == "3" and tpr_mother is None:
        reason = "1"
        goal = "1"

    if review is not None:
        put(rec, 26, ymd(review))
    put(rec, 34, ymd(birth))
    put(rec, 42, rng.choice("12"))
    put(rec, 43, race(rng))
    put(rec, 49, rng.choices("123", weights=(20, 77, 3))[0])

    # Disabilities: diagnosed with at least one condition, none, or not yet determined.
    disabled = rng.choices("123", weights=(20, 65, 15))[0]
    specific = ["0"] * 5
    if disabled == "1":
        specific[rng.randrange(5)] = "1"
        if rng.random() < 0.2:
            specific[rng.randrange(5)] = "1"
    put(rec, 50, disabled)
    put(rec, 51, "".join(specific))
    adopted = rng.choices("123", weights=(4, 92, 4))[0]
    put(rec, 56, adopted)
    if adopted == "1":
        put(rec, 57, rng.choice("1234"))

    put(rec, 58, ymd(first))
    put(rec, 66, "%02d" % removals)
    if previous is not None:
        put(rec, 68, ymd(previous))
    put(rec, 76, ymd(latest))
    put(rec, 84, ymd(transaction))
    put(rec, 92, ymd(placement))
    put(rec, 100, "%02d" % placements)
    put(rec, 102, rng.choices("12", weights=(20, 80))[0])

    # Conditions associated with the removal: one to three of fifteen.
    reasons = ["0"] * 15
    weights = list(REMOVAL_REASON_WEIGHTS)
    if disabled == "1":
        weights[7] = 6  # the child's disability (element 33)
    for _ in range(rng.choices((1, 2, 3), weights=(50, 35, 15))[0]):
        reasons[rng.choices(range(15), weights=weights)[0]] = "1"
    put(rec, 103, "".join(reasons))

    # Placement setting and the foster family.
    setting = rng.choices("12345678", weights=(5, 25, 45, 7, 7, 2, 2, 5))[0]
    put(rec, 118, setting)
    put(rec, 119, "1" if rng.random() < 0.03 else "2")
    put(rec, 120, goal)

    # Primary caretakers (the family the child was removed from).
    family = rng.choices("12345", weights=(25, 10, 50, 10, 5))[0]
    put(rec, 121, family)
    first_year = year_of(birth) - rng.randint(16, 42)
    if family in "1234":
        put(rec, 122, str(first_year))
    if family in "12":
        second_year = first_year + rng.randint(-8, 4)
        put(rec, 126, str(min(max(second_year, year_of(birth) - 50), year_of(birth) - 15)))
    if tpr_mother is not None:
        put(rec, 130, ymd(tpr_mother))
    if tpr_father is not None:
        put(rec, 138, ymd(tpr_father))

    if setting in "123":
        put(rec, 146, rng.choices("12", weights=(85, 15))[0])
        end_year = year_of(cal.end)
        foster_year = end_year - rng.randint(28, 68)
        put(rec, 147, str(foster_year))
        put(rec, 151, str(max(min(foster_year + rng.randint(-8, 8), end_year - 28), end_year - 75)))
        put(rec, 155, race(rng, 0.0))
        put(rec, 161, rng.choices("123", weights=(12, 85, 3))[0])
        put(rec, 162, race(rng, 0.0))
        put(rec, 168, rng.choices("123", weights=(12, 85, 3))[0])

    if discharged:
        put(rec, 169, ymd(discharge))
        put(rec, 177, ymd(min(discharge + rng.randint(0, 20), cal.run - 1)))
        put(rec, 185, reason)

    # Funding: a federal or State source with a monthly amount, or Medicaid
    # alone, or none of them, both with no amount.
    sources = ["0"] * 7  # elements 59-65
    if rng.random() < 0.7:
        sources[rng.choices((0, 2, 3, 5), weights=(70, 10, 10, 10))[0]] = "1"
        if rng.random() < 0.2:
            sources[rng.choice((0, 2, 3, 5))] = "1"
        if rng.random() < 0.85:
            sources[4] = "1"
        amount = rng.randint(250, 2500)
    else:
        sources[4 if rng.random() < 0.7 else 6] = "1"
        amount = 0
    put(rec, 186, "".join(sources))
    put(rec, 193, "%05d" % amount)

    facts = {"birth": birth, "first": first, "latest": latest, "transaction": transaction,
             "placement": placement, "discharge": discharge, "review": review,
             "tpr": tpr_mother}
    return rec, facts


# ---------------------------------------------------------------------------
# Errors
# ---------------------------------------------------------------------------

def bad_code(rng, valid):
    return rng.choice([c for c in "0123456789XY*-" if c not in valid])


def impossible_date(rng, text, cal, earliest_legal=False):
    """A date of 8 characters that is not a valid date before the run date."""
    year = text[:4] if text.strip() else "2020"
    run = datetime.date.fromordinal(cal.run)
    variants = [
        lambda: year + "1315",
        lambda: year + "0010",
        lambda: year + "0132",
        lambda: year + "0230",
        lambda: year + "0431",
        lambda: "1899" + text[4:8] if text.strip() else "18990101",
        lambda: ymd(cal.run + rng.randint(0, 400)),
        lambda: run.strftime("%m/%d/%y"),
        lambda: year + "O1" + "05",
        lambda: year[:2] + "-" + year[2:] + "-01",
    ]
    if earliest_legal:
        variants.append(lambda: "19940930")
    return rng.choice(variants)()


def impossible_month(rng, text, cal):
    year = text[:4] if text.strip() else "2015"
    run = datetime.date.fromordinal(cal.run)
    following = datetime.date(run.year + run.month // 12, run.month % 12 + 1, 1)
    return rng.choice([year + "13", year + "00", "189906", following.strftime("%Y%m"), year + "O3",
                       year[2:] + "/03"])


def bad_value(rng, kind, text, state, cal, counties, element=""):
    """An out-of-range value of the given kind, as wide as `text`."""
    if kind.startswith("code:"):
        return bad_code(rng, kind[5:])
    if kind == "state":
        return rng.choice([c for c in VALID_STATE_CODES if c != state] + [" " + state[1], state[0] + " ", "AL"])
    if kind == "period":
        year = int(cal.period[:4])
        return rng.choice([f"{year}06", "199409", f"{year + 2}03", f"{year}12", "SEP" + str(year)[1:]])
    if kind == "county":
        return rng.choice([state + "999", (VALID_STATE_CODES[(VALID_STATE_CODES.index(state) + 1)
                                                            % len(VALID_STATE_CODES)]) + "001",
                           counties[0][:4] + " ", "ABCDE"])
    if kind == "date":
        return impossible_date(rng, text, cal, earliest_legal=(element == "21"))
    if kind == "month":
        return impossible_month(rng, text, cal)
    if kind == "year":
        return rng.choice([str(cal.run_year), "1899", "19 5", "2O10", str(cal.run_year + 5), "-198"])
    if kind == "amount":
        return rng.choice(["12a45", "-0050", "1 000", "$1200", "99.50"])
    if kind == "count":
        return rng.choice(["00", "X1", "-1", "1a"])
    raise ValueError(kind)


def inconsistent_adoption(rng, rec, facts, cal):
    """Valid dates that contradict each other (or codes that do)."""
    birth, legal = facts["birth"], facts["legal"]
    birth_year = year_of(birth)
    options = [
        # the mother born after her child
        lambda: put(rec, 43, str(min(birth_year + rng.randint(1, 5), cal.run_year - 1))),
        # the adoptive mother too young to adopt
        lambda: put(rec, 77, str(min(year_of(legal) - rng.randint(3, 12), cal.run_year - 1))),
        # parental rights ended after the adoption
        lambda: put(rec, 52, ymd(min(legal + rng.randint(30, 400), cal.run - 1))),
        # none of the four relationships
        lambda: put(rec, 99, "0000"),
        # a subsidy without an amount
        lambda: (put(rec, 105, "1"), put(rec, 106, "00000"), put(rec, 111, "1")),
    ]
    if birth - 400 > datetime.date(1994, 10, 1).toordinal():
        # legalized before the child was born
        options.append(lambda: put(rec, 68, ymd(birth - rng.randint(30, 400))))
    rng.choice(options)()


def inconsistent_foster_care(rng, rec, facts, cal):
    latest, birth = facts["latest"], facts["birth"]
    options = [
        # born after the first removal
        lambda: put(rec, 34, ymd(min(facts["first"] + rng.randint(1, 300), cal.run - 1))),
        # placed before the removal
        lambda: put(rec, 92, ymd(latest - rng.randint(1, 100))),
        # the removal entered before it happened
        lambda: put(rec, 84, ymd(latest - rng.randint(5, 60))),
        # a review long before the period
        lambda: put(rec, 26, ymd(max(birth, cal.end - rng.randint(400, 800)))),
        # previously adopted, with no age at adoption
        lambda: (put(rec, 56, "1"), put(rec, 57, " ")),
        # no condition associated with the removal
        lambda: put(rec, 103, "0" * 15),
    ]
    if facts["discharge"] is not None:
        # discharged before the removal
        options.append(lambda: put(rec, 169, ymd(latest - rng.randint(1, 200))))
    rng.choice(options)()


MUTATIONS = (  # (name, weight)
    ("blank", 25), ("code", 25), ("value", 15), ("date", 12), ("inconsistent", 13),
    ("short", 6), ("long", 4))


def add_errors(rng, rec, facts, fields, kind, state, cal, counties):
    """Applies one to three errors to a record (list of characters); returns the line text."""
    required = [f for f in fields if f[4]]
    coded = [f for f in fields if f[3].startswith("code:")]
    valued = [f for f in fields if f[3] in ("state", "period", "county", "year", "amount", "count")]
    dated = [f for f in fields if f[3] in ("date", "month")]
    _, number_last = ADOPTION_NUMBER_COLUMNS if kind == "A" else FOSTER_CARE_NUMBER_COLUMNS
    cut = None
    extra = ""
    count = rng.choices((1, 2, 3), weights=(70, 20, 10))[0]
    for _ in range(count):
        name = rng.choices([m[0] for m in MUTATIONS], weights=[m[1] for m in MUTATIONS])[0]
        if name == "blank":
            _, first, last, _, _ = rng.choice(required)
            put(rec, first, " " * (last - first + 1))
        elif name in ("code", "value", "date"):
            element, first, last, ftype, _ = rng.choice({"code": coded, "value": valued, "date": dated}[name])
            text = "".join(rec[first - 1:last])
            value = bad_value(rng, ftype, text, state, cal, counties, element if kind == "A" else "")
            put(rec, first, value.ljust(last - first + 1)[:last - first + 1])
        elif name == "inconsistent":
            (inconsistent_adoption if kind == "A" else inconsistent_foster_care)(rng, rec, facts, cal)
        elif name == "short":
            if rng.random() < 0.03:
                cut = 0  # an empty line
            else:
                cut = rng.randint(number_last + 1, len(rec) - 1)
        else:  # long
            if rng.random() < 0.5:
                extra = "".join(rng.choice("0123456789 ") for _ in range(rng.randint(1, 40)))
            else:
                at = rng.randint(number_last + 1, len(rec) - 2)
                rec.insert(at, rng.choice("0 1"))
    line = "".join(rec)
    if cut is not None:
        line = line[:cut]
    return line + extra


# ---------------------------------------------------------------------------
# Template pools and the bulk writer
# ---------------------------------------------------------------------------

def as_template(line, number_columns, eol, tag):
    """Splits a line around its record number: (before, width kept, after, tag)."""
    first, last = number_columns
    if len(line) < first - 1:
        return (line + eol, 0, "", tag)
    width = max(0, min(last, len(line)) - first + 1)
    return (line[:first - 1], width, line[first - 1 + width:] + eol, tag)


def make_template(rng, with_errors, make_clean, fields, kind, state, cal, counties, eol):
    """Builds one record, clean or with errors, as a template."""
    number_columns = ADOPTION_NUMBER_COLUMNS if kind == "A" else FOSTER_CARE_NUMBER_COLUMNS
    rec, facts = make_clean()
    tag = (facts.get("age", 0), with_errors)
    if not with_errors:
        return as_template("".join(rec), number_columns, eol, tag)
    line = add_errors(rng, rec, facts, fields, kind, state, cal, counties)
    if rng.random() < 0.01:
        # A record number left blank: the template keeps blanks for it.
        line = line[:number_columns[0] - 1] + " " * 12 + line[number_columns[1]:]
        return (line + eol, 0, "", tag)
    return as_template(line, number_columns, eol, tag)


SLOTS = 1 << 16  # resolution of the error share


def slot_table(clean, errors, rate):
    """A table of SLOTS templates in which the share of error templates is `rate`."""
    n_err = round(SLOTS * rate) if errors else 0
    table = [errors[i % len(errors)] for i in range(n_err)] if n_err else []
    table += [clean[i % len(clean)] for i in range(SLOTS - n_err)]
    return table


CHUNK = 1 << 15  # records joined and written at a time


def emit(out, templates, first_number, tally, lengths=None):
    """Writes the templates in order, numbering the records from `first_number`;
    `lengths` (a random generator and a share) gives that share of the lines a
    wrong length."""
    numbers = ["%012d" % n for n in range(first_number, first_number + len(templates))]
    lines = [p + n[:w] + s for (p, w, s, _), n in zip(templates, numbers)]
    if lengths:
        rng, share = lengths
        lines = [wrong_length(rng, line) if rng.random() < share else line for line in lines]
    out.write("".join(lines).encode("ascii"))
    tally.update(map(operator.itemgetter(3), templates))


def wrong_length(rng, line):
    """The line emptied, cut short, or made longer than its record (some longer
    than the 299 characters a program reads at once)."""
    eol = "\r\n" if line.endswith("\r\n") else "\n"
    text = line[:-len(eol)]
    how = rng.randrange(4)
    if how == 0:
        return eol
    if how == 1:
        return text[:rng.randrange(1, len(text))] + eol
    if how == 2:
        return text + " " * rng.randrange(1, 299 - len(text)) + eol
    return text + "9" * rng.randrange(300 - len(text), 1200) + eol


def write_records(out, rng, count, make, rate, pool_size, first_number, tally, lengths=None):
    """Writes `count` detail records, a share `rate` of them with errors; counts the
    (age, with errors) tags of the records written into `tally`.

    Up to `pool_size` records, each record is built for itself. Beyond that a pool of
    clean and a pool of erroneous records is built once and the records are drawn
    from a table in which the erroneous ones have the share `rate`."""
    if count <= pool_size:
        for start in range(0, count, CHUNK):
            k = min(CHUNK, count - start)
            emit(out, [make(rng.random() < rate) for _ in range(k)], first_number + start, tally, lengths)
        return
    clean = [make(False) for _ in range(pool_size)]
    errors = [make(True) for _ in range(pool_size)] if rate > 0 else []
    table = slot_table(clean, errors, rate)
    for start in range(0, count, CHUNK):
        emit(out, rng.choices(table, k=min(CHUNK, count - start)), first_number + start, tally, lengths)


# ---------------------------------------------------------------------------
# Aggregate and footnote records
# ---------------------------------------------------------------------------

AGGREGATE_FIELDS = 22  # State, period, 20 age counts


def aggregate_record(rng, state, period, ages, rate):
    """The adoption aggregate record: counts of adopted children by age."""
    counts = [ages.get(0, 0)] + [ages.get(a, 0) for a in range(1, 19)] + [sum(
        v for a, v in ages.items() if a > 18)]
    fields = [state, period] + ["%08d" % c for c in counts]
    for i in range(AGGREGATE_FIELDS):
        if rate and rng.random() < rate:
            if i == 0:
                fields[0] = rng.choice([c for c in VALID_STATE_CODES if c != state])
            elif i == 1:
                fields[1] = rng.choice(["199509", "199603", "202609", "1995X3"])
            else:
                fields[i] = rng.choice(["        ", "  12 4  ", "n/a     ", "-0000012"])
    return "".join(fields).ljust(AGGREGATE_LENGTH)


FOOTNOTE_TEXTS = (  # (file type, element, remark)
    ("A", 5, "Birth dates of children adopted from abroad are estimated from documents."),
    ("A", 16, "Birth years of birth parents are not recorded when parental rights ended before 1996."),
    ("A", 22, "Adoptive family structure is taken from the final decree."),
    ("A", 36, "Subsidy amounts include special service payments."),
    ("G", 0, "The aggregate counts include children adopted through private agencies."),
    ("G", 21, "Children over 18 were adopted with court approval."),
    ("F", 3, "Two counties merged their agencies during the period; both codes are used."),
    ("F", 5, "Review dates before the new system went live are not available."),
    ("F", 19, "Removals before 1990 are not counted."),
    ("F", 41, "Trial home visits longer than six months are reported as placements."),
    ("F", 58, "Reason for discharge 'transfer to another agency' includes tribal agencies."),
    ("F", 66, "Monthly amounts are the basic maintenance rate only."),
    ("F", 0, "County data for the last month of the period are preliminary."),
)
FOOTNOTE_LIMITS = {"A": 37, "G": 22, "F": 66}


def footnote_records(rng, state, period, count, rate):
    lines = []
    year = int(period[:4])
    for _ in range(count):
        kind, element, text = rng.choice(FOOTNOTE_TEXTS)
        kind = kind if rng.random() < 0.8 else kind.lower()
        fields = [state, period, kind, "%02d" % element]
        if rate and rng.random() < rate:
            which = rng.randrange(4)
            if which == 0:
                fields[0] = rng.choice([c for c in VALID_STATE_CODES if c != state])
            elif which == 1:
                fields[1] = rng.choice([f"{year}06", "199409", f"{year + 2}03"])
            elif which == 2:
                fields[2] = rng.choice("BXZ 1")
            else:
                limit = FOOTNOTE_LIMITS.get(fields[2].upper(), 66)
                fields[3] = rng.choice(["%02d" % (limit + 1), "  ", "x5", "99"])
        lines.append("%%" + "".join(fields) + " " + text)
    return lines


# ---------------------------------------------------------------------------
# Local agency codes
# ---------------------------------------------------------------------------

def county_codes(state, fips_path, synthetic):
    """The county codes of the State: from a fips.lst file, or made up."""
    if fips_path:
        codes = []
        with open(fips_path, "r", encoding="ascii", errors="replace") as f:
            for line in f:
                code = line.rstrip("\r\n")[:5]
                if len(code) == 5 and code.isdigit() and code.startswith(state) and code not in codes:
                    codes.append(code)
        if not codes:
            raise SystemExit(f"vortel_gen: {fips_path} holds no county code of State {state}")
        return codes
    return [f"{state}{2 * i + 1:03d}" for i in range(synthetic)]


# ---------------------------------------------------------------------------
# Command line
# ---------------------------------------------------------------------------

def parse_args(argv):
    p = argparse.ArgumentParser(
        prog="vortel_gen.py",
        description="Write a synthetic VORTEL data file: an Adoption section, the adoption aggregate "
                    "record, a Foster Care section and footnote records.",
        epilog="Example: vortel_gen.py --state 01 --adoption 1000 --foster-care 1000 --seed 7 "
               "--error-rate 0.1 --fips data/fips.lst --fips-out fips.lst -o data.txt")
    p.add_argument("--state", default="01", help="2-digit State FIPS code (default 01)")
    p.add_argument("--period", help="report period end date YYYYMM (March or September); default: the "
                                    "last period ended before --as-of")
    p.add_argument("--as-of", default="2026-12-08",
                   help="run date YYYY-MM-DD the data must be valid at (default 2026-12-08); every date "
                        "in a clean record lies before it")
    p.add_argument("--adoption", type=int, default=100, metavar="N", help="adoption detail records (default 100)")
    p.add_argument("--foster-care", type=int, default=100, metavar="N",
                   help="foster care detail records (default 100)")
    p.add_argument("--footnotes", type=int, default=0, metavar="N", help="footnote records (default 0)")
    p.add_argument("--no-aggregate", action="store_true", help="leave out the adoption aggregate record")
    p.add_argument("--aggregates", type=int, metavar="N",
                   help="adoption aggregate records, each after a '#' line (default 1 when there are "
                        "adoption records, else 0; --no-aggregate makes it 0)")
    p.add_argument("--aggregate-period", default="199503",
                   help="report period written in the aggregate record (default 199503, the only one "
                        "the checker accepts there)")
    p.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    p.add_argument("--error-rate", type=float, default=0.0, metavar="SHARE",
                   help="share of detail records with errors, 0 to 1 (default 0): blanks, codes out of "
                        "range, impossible and inconsistent dates, short and long lines; the same share "
                        "applies to the fields of the aggregate record and to footnotes")
    p.add_argument("--templates", type=int, default=4096, metavar="N",
                   help="distinct records built per kind and per clean/error pool (default 4096)")
    p.add_argument("--fips", metavar="FILE",
                   help="a fips.lst to take the State's county codes from (default: made-up codes)")
    p.add_argument("--counties", type=int, default=40, metavar="N",
                   help="number of made-up county codes when --fips is not given (default 40)")
    p.add_argument("--fips-out", metavar="FILE", help="also write a fips.lst with the county codes used")
    p.add_argument("--crlf", action="store_true", help="end lines with CR LF instead of LF")
    p.add_argument("--wrong-lengths", type=float, default=0.0, metavar="SHARE",
                   help="share of detail lines (0 to 1) emptied, cut short or made too long, some longer than "
                        "299 characters (default 0)")
    p.add_argument("-o", "--output", metavar="FILE", help="output file (default: standard output)")
    p.add_argument("-v", "--verbose", action="store_true", help="report counts and timing on standard error")
    a = p.parse_args(argv)
    if a.state not in VALID_STATE_CODES:
        p.error(f"{a.state} is not a valid State FIPS code")
    try:
        a.run = datetime.date.fromisoformat(a.as_of)
    except ValueError:
        p.error(f"--as-of needs YYYY-MM-DD, not {a.as_of!r}")
    if a.period is None:
        a.period = latest_period(a.run)
    if period_invalid(a.period, a.run):
        p.error(f"report period {a.period} is not valid at {a.as_of} (YYYYMM, 1995 or later, month 03 or 09, "
                f"not after the period under way)")
    if not 0.0 <= a.error_rate <= 1.0:
        p.error("--error-rate must lie from 0 to 1")
    if not 0.0 <= a.wrong_lengths <= 1.0:
        p.error("--wrong-lengths must lie from 0 to 1")
    if a.aggregates is None:
        a.aggregates = 1 if a.adoption else 0
    if a.no_aggregate:
        a.aggregates = 0
    for name in ("adoption", "foster_care", "footnotes", "aggregates"):
        if getattr(a, name) < 0:
            p.error(f"--{name.replace('_', '-')} must not be negative")
    if a.templates < 1:
        p.error("--templates must be at least 1")
    return a


def generate(a, out):
    """Writes the whole data file to the binary stream `out`; returns statistics."""
    rng = random.Random(a.seed)
    cal = Calendar(a.period, a.run)
    eol = "\r\n" if a.crlf else "\n"
    counties = county_codes(a.state, a.fips, a.counties)
    weights = [1.0 / (i + 1) for i in range(len(counties))]
    shuffled = counties[:]
    rng.shuffle(shuffled)
    cum, total = [], 0.0
    for w in weights:
        total += w
        cum.append(total)
    stats = {"counties": counties, "adoption_errors": 0, "foster_care_errors": 0}
    # Its own random generator, so that the records are those of the same
    # seed without the option.
    lengths = (random.Random(a.seed + 1), a.wrong_lengths) if a.wrong_lengths else None

    def adoption_template(with_errors):
        return make_template(rng, with_errors, lambda: clean_adoption(rng, a.state, cal), ADOPTION_FIELDS,
                             "A", a.state, cal, counties, eol)

    def foster_care_template(with_errors):
        return make_template(rng, with_errors, lambda: clean_foster_care(rng, a.state, cal, shuffled, cum),
                             FOSTER_CARE_FIELDS, "F", a.state, cal, counties, eol)

    adoption_ages = collections.Counter()
    if a.adoption:
        out.write(f"$ ADOPTION{eol}{a.state}      {a.period}{a.adoption:08d}{eol}".encode("ascii"))
        tally = collections.Counter()
        write_records(out, rng, a.adoption, adoption_template, a.error_rate, a.templates, 1, tally, lengths)
        for (age, bad), n in tally.items():
            adoption_ages[age] += n
            if bad:
                stats["adoption_errors"] += n
    for start in range(0, a.aggregates, CHUNK):
        records = (f"# AGGREGATE{eol}" + aggregate_record(rng, a.state, a.aggregate_period, adoption_ages,
                                                           a.error_rate) + eol
                   for _ in range(min(CHUNK, a.aggregates - start)))
        out.write("".join(records).encode("ascii"))
    if a.foster_care:
        out.write(f"@ FOSTER CARE{eol}{a.state}      {a.period}{a.foster_care:08d}{eol}".encode("ascii"))
        tally = collections.Counter()
        write_records(out, rng, a.foster_care, foster_care_template, a.error_rate, a.templates,
                      a.adoption + 1, tally, lengths)
        stats["foster_care_errors"] = sum(n for (_, bad), n in tally.items() if bad)
    if a.footnotes:
        lines = footnote_records(rng, a.state, a.period, a.footnotes, a.error_rate)
        out.write("".join(line + eol for line in lines).encode("ascii"))
    return stats


def main(argv=None):
    a = parse_args(sys.argv[1:] if argv is None else argv)
    started = time.perf_counter()
    if a.output:
        with open(a.output, "wb") as f:
            stats = generate(a, f)
    else:
        stats = generate(a, sys.stdout.buffer)
        sys.stdout.buffer.flush()
    if a.fips_out:
        with open(a.fips_out, "w", encoding="ascii", newline="\n") as f:
            f.write("".join(code + "\n" for code in stats["counties"]))
    if a.verbose:
        print(f"vortel_gen: {a.adoption} adoption records ({stats['adoption_errors']} with errors), "
              f"{a.foster_care} foster care records ({stats['foster_care_errors']} with errors), "
              f"{a.footnotes} footnotes in {time.perf_counter() - started:.2f} s", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
