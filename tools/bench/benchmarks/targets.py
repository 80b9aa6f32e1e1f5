"""The engine's targets, checked against the rows of one benchmark run."""

OURS = "pelmo"
GROUPS_WITHOUT_FRAGMENTS = ("live", "deleted", "sparse")


def _rows(results, mode):
    return results.get(mode, {}).get("rows", [])


def _find(rows, image, tool, job):
    return next((r for r in rows if r["image"] == image and r["tool"] == tool and r["job"] == job), None)


def _recall_equal(rows):
    worst = []
    pairs = {"recover": ("tsk_recover -e", "recover"), "list": ("fls -r -p", "list")}
    for ours in (r for r in rows if r["tool"] == OURS and r["job"] in pairs):
        peer_tool, peer_job = pairs[ours["job"]]
        peer = _find(rows, ours["image"], peer_tool, peer_job)
        if peer is None:
            continue
        for key, value in peer["scores"].items():
            if key.split(" ")[0] not in GROUPS_WITHOUT_FRAGMENTS or not isinstance(value, float):
                continue
            mine = ours["scores"].get(key) or 0.0
            if mine + 1e-9 < value:
                worst.append(f"{ours['image']} {key}: ours {100 * mine:.2f}% < {peer_tool} {100 * value:.2f}%")
    return worst


def _faster(rows, image, our_job, peers):
    ours = _find(rows, image, OURS, our_job)
    times = [(r["seconds"], f"{r['tool']} ({r['job']})") for r in rows
             if r["image"] == image and (r["tool"], r["job"]) in peers]
    if ours is None or not times:
        return None, "not run"
    best, name = min(times)
    return ours["seconds"] <= best, f"ours {ours['seconds']:.2f} s, fastest peer {name} {best:.2f} s"


def check(results):
    checks = []
    quick = _rows(results, "quick")
    if quick:
        shortfalls = _recall_equal(quick)
        checks.append(("Quick Scan recall equal to The Sleuth Kit's on every non-fragmented case",
                       not shortfalls, "; ".join(shortfalls) or "equal or better everywhere (path+content, listing)"))
        for job, peers in (("list", {("fls -r -p", "list"), ("fls -r -d -p", "list")}),
                           ("recover", {("tsk_recover -e", "recover")})):
            met, text = _faster(quick, "ntfs-100k", job, peers)
            checks.append((f"Quick Scan of the 100,000-file NTFS volume ({job}) at least as fast as the fastest peer",
                           met, text))
        ours = _find(quick, "ntfs-100k", OURS, "list")
        if ours:
            files = 100_000
            projected = ours["peak_mib"] * 1_000_000 / files  # all of the peak counted as per-file: an upper bound
            checks.append(("Memory under 1 GiB for a million files", projected < 1024,
                           f"{ours['peak_mib']:.1f} MiB peak for 100,000+ files, so at most {projected:.0f} MiB "
                           f"for a million (linear projection, not a measured million-file run)"))
    trace = _rows(results, "trace")
    if trace:
        met, text = _faster(trace, "carving", "carve+save", {("photorec", "carve+save"), ("foremost", "carve+save")})
        checks.append(("File Trace on the carving image at least as fast as the fastest peer", met, text))
    for mode, jobs in (("extensive", ("raw scan fat32", "raw scan ntfs")), ("trace", ("carve (list)",))):
        rows = _rows(results, mode)
        cat = _find(rows, "carving", "cat", "sequential read")
        for job in jobs:
            ours = _find(rows, "carving", OURS, job)
            if cat and ours:
                ratio = ours["mib_per_s"] / cat["mib_per_s"]
                checks.append((f"{job} throughput at least half of sequential reading (warm cache)", ratio >= 0.5,
                               f"{ours['mib_per_s']:.0f} MiB/s against cat {cat['mib_per_s']:.0f} MiB/s = {ratio:.2f}"))
    return [{"target": t, "met": m, "figures": f} for t, m, f in checks]


def print_checks(checks, out):
    print("\n=== Targets ===", file=out)
    for c in checks:
        state = "not run" if c["met"] is None else ("MET" if c["met"] else "MISSED")
        print(f"  [{state:>6}] {c['target']}: {c['figures']}", file=out)
