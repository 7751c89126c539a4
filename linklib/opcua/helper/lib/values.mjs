// Values between the protocol's (type, text) pairs and OPC UA variants.
import { DataType, VariantArrayType } from "node-opcua-client";

function int64Value(parts, signed) {
  const bits = (BigInt(parts[0] >>> 0) << 32n) | BigInt(parts[1] >>> 0);
  return signed ? BigInt.asIntN(64, bits) : BigInt.asUintN(64, bits);
}

// A variant as the pair (type, text) of the protocol.
export function encodeVariant(variant) {
  if (!variant || variant.value === null || variant.value === undefined) return ["empty", ""];
  if (variant.arrayType !== undefined && variant.arrayType !== 0) return ["empty", ""];
  const v = variant.value;
  switch (variant.dataType) {
    case DataType.Boolean: return ["bool", v ? "1" : "0"];
    case DataType.SByte: case DataType.Byte: case DataType.Int16: case DataType.UInt16: case DataType.Int32:
      return ["i32", String(v)];
    case DataType.UInt32: return ["i64", String(v)];
    case DataType.Int64: return ["i64", String(int64Value(v, true))];
    case DataType.UInt64: {
      const n = int64Value(v, false);
      return n <= 0x7fffffffffffffffn ? ["i64", String(n)] : ["f64", String(Number(n))];
    }
    case DataType.Float: case DataType.Double: return ["f64", String(v)];
    case DataType.String: return ["text", v];
    case DataType.LocalizedText: return ["text", v.text ?? ""];
    case DataType.DateTime: return ["text", v.toISOString()];
    default: return ["text", String(v)];
  }
}

function wrongType(text, dataType) {
  return new Error(`"${text}" is not a ${DataType[dataType]}`);
}

function toInteger(text, dataType, low, high) {
  const n = text === "" ? NaN : Number(text);
  if (!Number.isFinite(n)) throw wrongType(text, dataType);
  const rounded = Math.round(n);
  if (rounded < low || rounded > high) throw new Error(`${text} is out of the range of ${DataType[dataType]}`);
  return rounded;
}

function toInt64Parts(text, dataType, signed) {
  let n;
  try {
    n = BigInt(text.trim().replace(/\.0*$/, ""));
  } catch {
    const f = Number(text);
    if (!Number.isFinite(f)) throw wrongType(text, dataType);
    n = BigInt(Math.round(f));
  }
  const bits = signed ? BigInt.asIntN(64, n) : BigInt.asUintN(64, n);
  if (bits !== n) throw new Error(`${text} is out of the range of ${DataType[dataType]}`);
  const raw = BigInt.asUintN(64, n);
  return [Number(raw >> 32n), Number(raw & 0xffffffffn)];
}

// The protocol's (type, text) as a variant of the node's data type.
export function decodeForNode(type, text, dataType) {
  const value = (v) => ({ dataType, arrayType: VariantArrayType.Scalar, value: v });
  if (type === "empty") throw new Error("an empty value cannot be written");
  switch (dataType) {
    case DataType.Boolean: {
      const t = text.trim().toLowerCase();
      if (t === "true") return value(true);
      if (t === "false") return value(false);
      const n = Number(t);
      if (t === "" || !Number.isFinite(n)) throw wrongType(text, dataType);
      return value(n !== 0);
    }
    case DataType.SByte: return value(toInteger(text, dataType, -128, 127));
    case DataType.Byte: return value(toInteger(text, dataType, 0, 255));
    case DataType.Int16: return value(toInteger(text, dataType, -32768, 32767));
    case DataType.UInt16: return value(toInteger(text, dataType, 0, 65535));
    case DataType.Int32: return value(toInteger(text, dataType, -2147483648, 2147483647));
    case DataType.UInt32: return value(toInteger(text, dataType, 0, 4294967295));
    case DataType.Int64: return value(toInt64Parts(text, dataType, true));
    case DataType.UInt64: return value(toInt64Parts(text, dataType, false));
    case DataType.Float: case DataType.Double: {
      const n = text.trim() === "" ? NaN : Number(text);
      if (Number.isNaN(n) && text.trim().toLowerCase() !== "nan") throw wrongType(text, dataType);
      return value(n);
    }
    case DataType.String: return value(text);
    case DataType.LocalizedText: return value({ text });
    default: throw new Error(`writing a ${DataType[dataType] ?? dataType} is not supported`);
  }
}
