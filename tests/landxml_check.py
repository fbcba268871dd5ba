"""Checks the structure of a LandXML file written by Tervan and prints its
points: the root element in the LandXML 1.2 namespace with the attributes
the schema requires, Units (metric, its required attributes) before the
points, one CgPoints with CgPoint children, each with a name and three
numbers (northing easting elevation). Exits 1 with the reason otherwise."""
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.landxml.org/schema/LandXML-1.2}"
METRIC_REQUIRED = ("areaUnit", "linearUnit", "volumeUnit", "temperatureUnit", "pressureUnit")


def fail(reason):
    print("invalid:", reason)
    sys.exit(1)


def main(path):
    root = ET.parse(path).getroot()
    if root.tag != NS + "LandXML":
        fail("root " + root.tag)
    for attribute in ("date", "time", "version"):
        if attribute not in root.attrib:
            fail("LandXML without " + attribute)
    if root.get("version") != "1.2":
        fail("version " + root.get("version"))
    children = [child.tag[len(NS):] for child in root]
    if "Units" not in children or "CgPoints" not in children or children.index("Units") > children.index("CgPoints"):
        fail("children " + " ".join(children))
    metric = root.find(NS + "Units/" + NS + "Metric")
    if metric is None:
        fail("no metric units")
    for attribute in METRIC_REQUIRED:
        if attribute not in metric.attrib:
            fail("Metric without " + attribute)
    if metric.get("linearUnit") != "meter":
        fail("linear unit " + metric.get("linearUnit"))
    points = root.findall(NS + "CgPoints/" + NS + "CgPoint")
    print("units", metric.get("linearUnit"), "points", len(points))
    for point in points:
        numbers = [float(n) for n in point.text.split()]
        if len(numbers) != 3 or "name" not in point.attrib:
            fail("CgPoint " + ET.tostring(point, encoding="unicode"))
        print(point.get("name"), point.get("code", "-"), " ".join(f"{n:.3f}" for n in numbers))


if __name__ == "__main__":
    main(sys.argv[1])
