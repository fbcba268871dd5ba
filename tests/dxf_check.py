"""Reads a DXF file written by Tervan with ezdxf and prints what the DXF test
compares: the audit result, warnings logged while loading, the entity counts,
the layers, the handle seed, and the first and last entities."""
import logging
import sys

import ezdxf


class Counter(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.count = 0

    def emit(self, record):
        self.count += 1
        print("warning:", record.getMessage(), file=sys.stderr)


def describe(e):
    if e.dxftype() == "POINT":
        x, y, z = e.dxf.location
        return f"POINT {e.dxf.handle} {e.dxf.layer} {x:.3f} {y:.3f} {z:.3f}"
    x, y, z = e.dxf.insert
    return f"TEXT {e.dxf.handle} {e.dxf.layer} {x:.3f} {y:.3f} {z:.3f} {e.dxf.height:.1f} {e.dxf.text}"


def main(path):
    counter = Counter()
    logging.getLogger("ezdxf").addHandler(counter)
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    msp = doc.modelspace()
    entities = list(msp)
    handles = {e.dxf.handle for e in entities}
    print("version", doc.dxfversion)
    print("audit errors", len(auditor.errors))
    print("warnings", counter.count)
    print("points", len(msp.query("POINT")), "texts", len(msp.query("TEXT")), "unique handles", len(handles))
    print("layers", " ".join(sorted(layer.dxf.name for layer in doc.layers)))
    print("seed", doc.header["$HANDSEED"])
    shown = entities if len(entities) <= 9 else entities[:3] + entities[-3:]
    for e in shown:
        print(describe(e))


if __name__ == "__main__":
    main(sys.argv[1])
