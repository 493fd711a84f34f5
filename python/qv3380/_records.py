"""Dataclasses read from the JSON documents ``qv3380`` prints and written back.

A field names its key in the document with :func:`key`; ``optional`` keys
may be missing from a document (the field is then ``None`` and the key is left
out again), and ``document=False`` fields are not part of it at all. So
``Record.from_dict(doc).to_dict() == doc`` for every document the command line
prints.
"""

from __future__ import annotations

import dataclasses
import functools
import sys
import types
import typing
from typing import Any, Callable, TypeVar

R = TypeVar("R", bound="Record")


def key(
    name: str | None = None, *, optional: bool = False, document: bool = True, **field: Any
) -> Any:
    """A field of a record, kept under ``name`` in the document (default: its own name)."""
    if optional or not document:
        field.setdefault("default", None)
    return dataclasses.field(
        metadata={"key": name, "optional": optional, "document": document}, **field
    )


def _convert_in(kind: Any, value: Any) -> Any:
    if value is None:
        return None
    origin = typing.get_origin(kind)
    if origin in (typing.Union, types.UnionType):
        records = [
            k for k in typing.get_args(kind) if isinstance(k, type) and issubclass(k, Record)
        ]
        return _convert_in(records[0], value) if records else value
    if origin is list:
        (item,) = typing.get_args(kind)
        return [_convert_in(item, v) for v in value]
    if origin is dict:
        _, item = typing.get_args(kind)
        return {k: _convert_in(item, v) for k, v in value.items()}
    if isinstance(kind, type) and issubclass(kind, Record):
        return kind.from_dict(value)
    return value


def _convert_out(value: Any) -> Any:
    if isinstance(value, Record):
        return value.to_dict()
    if isinstance(value, list):
        return [_convert_out(v) for v in value]
    if isinstance(value, dict):
        return {k: _convert_out(v) for k, v in value.items()}
    return value


class Record:
    """A part of a document: built from it, and turned back into it with ``to_dict()``."""

    @classmethod
    def from_dict(cls: type[R], document: dict[str, Any], **extra: Any) -> R:
        """The record of a document as ``json.loads`` gives it; ``extra`` gives
        the fields that are not part of the document, or replaces some that are."""
        hints = _hints(cls)
        values = {}
        for field in dataclasses.fields(cls):  # type: ignore[arg-type]
            meta = field.metadata
            if not meta.get("document", True):
                continue
            name = meta.get("key") or field.name
            if name not in document and meta.get("optional"):
                continue
            values[field.name] = _convert_in(hints[field.name], document[name])
        return cls(**{**values, **extra})

    def to_dict(self) -> dict[str, Any]:
        """The document this record stands for, as the command line prints it."""
        document = {}
        for field in dataclasses.fields(self):  # type: ignore[arg-type]
            meta = field.metadata
            if not meta.get("document", True):
                continue
            value = getattr(self, field.name)
            if value is None and meta.get("optional"):
                continue
            document[meta.get("key") or field.name] = _convert_out(value)
        return document


@functools.cache
def _hints(cls: type) -> dict[str, Any]:
    # The package shows its classes as qv3380.X: the names in the annotations
    # are those of the module that defines them.
    return typing.get_type_hints(cls, globalns=vars(sys.modules[cls.__dict__["_defined_in"]]))


def record(cls: type[R]) -> type[R]:
    """The decorator of every record: immutable, keyword arguments only."""
    cls._defined_in = cls.__module__  # type: ignore[attr-defined]
    made: Callable[[type[R]], type[R]] = dataclasses.dataclass(frozen=True, kw_only=True)
    return made(cls)
