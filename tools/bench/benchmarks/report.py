"""Tables per mode: every tool's figures, then the ratios against ours
(recall ours/peer, time peer/ours, throughput ours/sequential read)."""

OURS = "pelmo"
PEER_JOB_TO_OURS = {"analyse": "search"}


def _pct(value):
    return "-" if value is None else f"{100 * value:.1f}%"


def _score_text(scores):
    parts = []
    for key, value in scores.items():
        if isinstance(value, float) or value is None:
            parts.append(f"{key} {_pct(value)}")
        else:
            parts.append(f"{key} {value}")
    return "; ".join(parts)


def _our_row(rows, peer):
    wanted = PEER_JOB_TO_OURS.get(peer["job"], peer["job"])
    candidates = [r for r in rows if r["tool"] == OURS and r["image"] == peer["image"]]
    for job in (wanted, "scan+" + wanted):
        for r in candidates:
            if r["job"] == job:
                return r
    return None


def ratios(rows):
    """One line per peer row: its figures against ours for the same job."""
    result = []
    for peer in rows:
        if peer["tool"] == OURS:
            continue
        if peer["tool"] == "cat":
            for ours in (r for r in rows if r["tool"] == OURS and r["image"] == peer["image"] and "mib_per_s" in r):
                result.append({"image": peer["image"], "ours": ours["job"], "peer": "cat (sequential read)",
                               "throughput ours/cat": round(ours["mib_per_s"] / peer["mib_per_s"], 2)})
            continue
        ours = _our_row(rows, peer)
        if ours is None:
            continue
        line = {"image": peer["image"], "ours": ours["job"], "peer": f"{peer['tool']} ({peer['job']})",
                "time peer/ours": round(peer["seconds"] / max(ours["seconds"], 0.01), 2)}
        for key, value in peer["scores"].items():
            mine = ours["scores"].get(key)
            if isinstance(value, float) and isinstance(mine, float):
                line[f"recall ours/peer {key}"] = None if value == 0 else round(mine / value, 3)
        result.append(line)
    return result


def print_mode(title, rows, out):
    print(f"\n=== {title} ===", file=out)
    header = f"{'image':<16} {'tool':<16} {'job':<16} {'seconds':>8} {'peak MiB':>9} {'MiB/s':>8}  scores"
    print(header, file=out)
    print("-" * len(header), file=out)
    for r in rows:
        rate = f"{r['mib_per_s']:.0f}" if "mib_per_s" in r else "-"
        print(f"{r['image']:<16} {r['tool']:<16} {r['job']:<16} {r['seconds']:>8.2f} {r['peak_mib']:>9.1f} {rate:>8}  "
              f"{_score_text(r['scores'])}", file=out)
    lines = ratios(rows)
    if lines:
        print("ratios:", file=out)
        for line in lines:
            rest = "; ".join(f"{k} {v}" for k, v in line.items() if k not in ("image", "ours", "peer"))
            print(f"  {line['image']:<16} ours {line['ours']:<14} vs {line['peer']:<32} {rest}", file=out)
    return lines
